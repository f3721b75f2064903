#include "platform/file/FileReaderImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/file/FileErrorText.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/StreamSize.h"

namespace platform::file {

FileReaderImpl::FileReaderImpl(FileCalls& calls, CurrentDirectory& currentDirectory)
    : _calls(calls), _currentDirectory(currentDirectory) {}

void FileReaderImpl::_fail(const std::string& message, const std::string& path, const std::string& detail) {
    throw io::filesystem::LoadFileException(fileErrorText(message, path, _currentDirectory, detail));
}

std::vector<char> FileReaderImpl::readFile(const std::string& path, std::size_t bytesToRead) {
    std::vector<char> bytes;
    _read(path, bytesToRead, bytes);
    return bytes;
}

void FileReaderImpl::readFileInto(const std::string& path, std::vector<char>& buffer) { _read(path, 0, buffer); }

void FileReaderImpl::_read(const std::string& path, std::size_t bytesToRead, std::vector<char>& bytes) {
    if (path.empty()) throw io::filesystem::LoadFileException("Cannot load file. No filename specified.");

    std::ifstream in;
    in.exceptions(std::ios::badbit | std::ios::failbit | std::ios::eofbit);
    try {
        _calls.openForReading(in, path, std::ios::in | std::ios::binary);
    } catch (const std::ios_base::failure& e) {
        _fail("An error occurred when trying to open the file for reading.", path, e.what());
    }

    long long sz = 0;
    try {
        sz = streamSize(in);
    } catch (const std::ios_base::failure& e) {
        _calls.streamFailed(in);
        _fail("An error occurred while trying to get the size of the file.", path, e.what());
    }
    TAMBLIX_ASSERT(sz >= 0);
    if (sz < 0) sz = 0;

    // The layer's own refusals carry no platform error of their own.
    if (const auto refusal = tooLargeReadText(bytesToRead, sz); !refusal.empty()) {
        platform::setLastError(winerror::SUCCESS);
        _fail(refusal, path, NO_DETAIL);
    }
    const std::size_t count = readCount(bytesToRead, sz);
    if (const auto refusal = tooBigCountText(count); !refusal.empty()) {
        platform::setLastError(winerror::SUCCESS);
        _fail(refusal, path, NO_DETAIL);
    }

    bytes.resize(count);
    try {
        if (count != 0) in.read(bytes.data(), static_cast<std::streamsize>(count));
    } catch (const std::ios_base::failure& e) {
        _calls.streamFailed(in);
        _fail("An error occurred while trying to load the file.", path, e.what());
    }
}

}  // namespace platform::file
