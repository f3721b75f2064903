#include "platform/registry/tree/RegistryHive.h"

#include <chrono>

namespace windows::registry::tree {

std::uint64_t RegistryHives::now() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(sinceEpoch);
    return FILETIME_OF_1970 + static_cast<std::uint64_t>(ticks.count());
}

}  // namespace windows::registry::tree
