// Linux only: stream failures with the Windows code of their cause.
#include "platform/file/prefix/StreamFailure.h"

#include <cerrno>
#include <system_error>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"

namespace platform::prefix {

void failStream(std::ios& stream, int windowsError) {
    platform::setLastError(windowsError);
    stream.exceptions(stream.exceptions() | std::ios::failbit);
    stream.setstate(std::ios::failbit);
    throw std::ios_base::failure("the stream did not raise its failure");  // not reached
}

void failStream(int windowsError) {
    std::ifstream refused;
    failStream(refused, windowsError);
}

void failStep(const std::string& what, int errnoValue) {
    platform::setLastError(platform::windowsErrorOfErrno(errnoValue));
    throw std::ios_base::failure(what, std::error_code(errnoValue, std::generic_category()));
}

void openStream(std::ifstream& stream, const std::string& nativePath, std::ios::openmode mode) {
    const auto mask = stream.exceptions();
    stream.exceptions(std::ios::goodbit);
    errno = 0;
    stream.open(nativePath, mode);
    if (!stream.is_open()) platform::setLastError(platform::windowsErrorOfErrno(errno ? errno : EIO));
    stream.exceptions(mask);  // raises the failure of the open
}

}  // namespace platform::prefix
