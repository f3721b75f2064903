#pragma once
// Linux only: owners of file descriptors and directory streams.

#include <dirent.h>
#include <unistd.h>

#include <utility>

namespace platform::prefix {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : _fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : _fd(std::exchange(other._fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(std::exchange(other._fd, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return _fd; }
    bool valid() const { return _fd >= 0; }
    // Closes now; false (errno set) when closing failed.
    bool close() { return ::close(std::exchange(_fd, -1)) == 0; }
    void reset(int fd = -1) {
        if (_fd >= 0) ::close(_fd);
        _fd = fd;
    }

private:
    int _fd = -1;
};

class UniqueDir {
public:
    explicit UniqueDir(DIR* dir) : _dir(dir) {}
    UniqueDir(const UniqueDir&) = delete;
    UniqueDir& operator=(const UniqueDir&) = delete;
    ~UniqueDir() {
        if (_dir) ::closedir(_dir);
    }
    DIR* get() const { return _dir; }

private:
    DIR* _dir;
};

}  // namespace platform::prefix
