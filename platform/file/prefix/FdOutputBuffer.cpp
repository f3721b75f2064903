// Linux only: writing a stream to a file descriptor.
#include "platform/file/prefix/FdOutputBuffer.h"

#include <unistd.h>

#include <cerrno>

namespace platform::prefix {

std::streamsize FdOutputBuffer::xsputn(const char* data, std::streamsize count) {
    std::streamsize written = 0;
    while (written < count) {
        const ssize_t step = ::write(_fd, data + written, static_cast<std::size_t>(count - written));
        if (step < 0 && errno == EINTR) continue;
        if (step <= 0) {
            _error = step < 0 ? errno : ENOSPC;
            break;
        }
        written += step;
    }
    return written;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

}  // namespace platform::prefix
