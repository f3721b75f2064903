#include "tests/support/PermissionsBind.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace testing_support {

namespace {

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
};

Capabilities current() {
    Capabilities caps;
    if (::syscall(SYS_capget, &caps.header, caps.data) != 0) ADD_FAILURE() << "capget failed";
    return caps;
}

void setEffective(Capabilities caps, const std::uint32_t effective[2]) {
    caps.data[0].effective = effective[0];
    caps.data[1].effective = effective[1];
    if (::syscall(SYS_capset, &caps.header, caps.data) != 0) ADD_FAILURE() << "capset failed";
}

constexpr std::uint32_t bit(int capability) { return 1u << (capability % 32); }

}  // namespace

PermissionsBind::PermissionsBind() {
    const Capabilities caps = current();
    _effective[0] = caps.data[0].effective;
    _effective[1] = caps.data[1].effective;
    const std::uint32_t without[2] = {
        _effective[0] & ~(bit(CAP_DAC_OVERRIDE) | bit(CAP_DAC_READ_SEARCH) | bit(CAP_FOWNER)), _effective[1]};
    setEffective(caps, without);
}

PermissionsBind::~PermissionsBind() { setEffective(current(), _effective); }

}  // namespace testing_support
