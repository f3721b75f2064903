#pragma once
// Linux only: an unbuffered output stream buffer over a file descriptor, so that
// the stream library reports a failed write and the descriptor stays at hand for
// fsync. It does not own the descriptor.

#include <streambuf>

namespace platform::prefix {

class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd) : _fd(fd) {}

    // errno of the write that failed, 0 while none has.
    int error() const { return _error; }

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int_type overflow(int_type c) override;

private:
    int _fd;
    int _error = 0;
};

}  // namespace platform::prefix
