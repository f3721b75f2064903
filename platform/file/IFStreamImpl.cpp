#include "platform/file/IFStreamImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/file/FileErrorText.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/StreamSize.h"

namespace platform::file {

IFStreamImpl::IFStreamImpl(FileCalls& calls, CurrentDirectory& currentDirectory, const std::string& path,
                           int openMode)
    : _calls(calls), _currentDirectory(currentDirectory), _path(path) {
    _stream.exceptions(std::ios::badbit | std::ios::failbit | std::ios::eofbit);
    try {
        _calls.openForReading(_stream, path, std::ios::in | static_cast<std::ios::openmode>(openMode));
    } catch (const std::ios_base::failure& e) {
        _fail("An error occurred when trying to open the file for reading.", e.what());
    }
}

void IFStreamImpl::_fail(const std::string& message, const std::string& detail) {
    throw io::file::IStreamException(streamErrorText(message, _path, _currentDirectory, detail));
}

long long IFStreamImpl::size() {
    long long sz = 0;
    try {
        sz = streamSize(_stream);
    } catch (const std::ios_base::failure& e) {
        _calls.streamFailed(_stream);
        _fail("An error occurred while trying to get the size of the file.", e.what());
    }
    TAMBLIX_ASSERT(sz >= 0);
    return sz < 0 ? 0 : sz;
}

std::vector<char> IFStreamImpl::read(std::size_t bytesToRead) {
    const long long s = size();
    if (const auto refusal = tooLargeReadText(bytesToRead, s); !refusal.empty()) {
        platform::setLastError(winerror::SUCCESS);
        _fail(refusal, NO_DETAIL);
    }
    const std::size_t count = readCount(bytesToRead, s);
    if (const auto refusal = tooBigCountText(count); !refusal.empty()) {
        platform::setLastError(winerror::SUCCESS);
        _fail(refusal, NO_DETAIL);
    }
    std::vector<char> bytes(count);
    try {
        if (count != 0) _stream.read(bytes.data(), static_cast<std::streamsize>(count));
    } catch (const std::ios_base::failure& e) {
        _calls.streamFailed(_stream);
        _fail("An error occurred while trying to load the file.", e.what());
    }
    return bytes;
}

bool IFStreamImpl::isEof() {
    // Looking at the next byte must not raise, so the stream's mask is lifted
    // for the look and the stream left readable after it.
    const auto mask = _stream.exceptions();
    _stream.exceptions(std::ios::goodbit);
    const bool atEnd = _stream.peek() == std::ifstream::traits_type::eof();
    _stream.clear();
    _stream.exceptions(mask);
    return atEnd;
}

}  // namespace platform::file
