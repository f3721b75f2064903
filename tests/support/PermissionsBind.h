#pragma once
// While alive, file permissions refuse the calling thread (and every thread it
// starts meanwhile) as they refuse an ordinary user, even when the tests run as
// root: the capabilities that override read, write and search permissions are
// taken out of the thread's effective set and given back at the end. Without
// them root is refused by a file or folder whose owner bits forbid the access.

#include <cstdint>

namespace testing_support {

class PermissionsBind {
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

private:
    std::uint32_t _effective[2] = {0, 0};
};

}  // namespace testing_support
