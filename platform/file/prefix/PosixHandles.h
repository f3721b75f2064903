#pragma once
// Linux only: the move-only owner of a file descriptor or a directory stream,
// released with its own call when the owner goes.

#include <dirent.h>
#include <unistd.h>

#include <utility>

namespace platform::prefix {

// Traits name the handle type, its invalid value and its release call (0 or -1
// with errno set).
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : _handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : _handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return _handle; }
    bool valid() const { return _handle != Traits::INVALID; }
    Handle release() { return std::exchange(_handle, Traits::INVALID); }
    void reset(Handle handle = Traits::INVALID) {
        if (valid()) Traits::release(_handle);
        _handle = handle;
    }
    // Releases now; false (errno set) when the release failed. Nothing held is no failure.
    bool close() { return !valid() || Traits::release(release()) == 0; }

private:
    Handle _handle = Traits::INVALID;
};

struct FdTraits {
    using Handle = int;
    static constexpr int INVALID = -1;
    static int release(int fd) { return ::close(fd); }
};

struct DirTraits {
    using Handle = DIR*;
    static constexpr DIR* INVALID = nullptr;
    static int release(DIR* dir) { return ::closedir(dir); }
};

using UniqueFd = UniqueHandle<FdTraits>;
using UniqueDir = UniqueHandle<DirTraits>;

}  // namespace platform::prefix
