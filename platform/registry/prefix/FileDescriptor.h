#pragma once
// Linux only: owns one open file descriptor.

#include <unistd.h>

namespace windows::registry::prefix {

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor = -1) : _descriptor(descriptor) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(FileDescriptor&& other) noexcept : _descriptor(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            close();
            _descriptor = other.release();
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return _descriptor; }
    bool valid() const { return _descriptor >= 0; }
    int release() {
        const int descriptor = _descriptor;
        _descriptor = -1;
        return descriptor;
    }
    // 0, or -1 with errno set.
    int close() {
        if (_descriptor < 0) return 0;
        const int result = ::close(_descriptor);
        _descriptor = -1;
        return result;
    }

private:
    int _descriptor;
};

}  // namespace windows::registry::prefix
