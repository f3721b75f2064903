#include "platform/file/FileWriterImpl.h"

#include "platform/failure/LastError.h"
#include "platform/file/FileErrorText.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/StreamSize.h"

namespace platform::file {

FileWriterImpl::FileWriterImpl(FileCalls& calls, CurrentDirectory& currentDirectory)
    : _calls(calls), _currentDirectory(currentDirectory) {}

void FileWriterImpl::_fail(const std::string& message, const std::string& path, const std::string& detail) {
    throw io::filesystem::SaveFileException(fileErrorText(message, path, _currentDirectory, detail));
}

void FileWriterImpl::writeFile(const std::string& path, const std::vector<char>& bytes, int openMode) {
    if (bytes.size() > static_cast<unsigned long long>(MAX_BYTES)) {
        platform::setLastError(winerror::SUCCESS);
        _fail("Could not save the file because the data size was too big. The data size is " +
                  std::to_string(bytes.size()) + ". The data cannot be bigger than " + std::to_string(MAX_BYTES) +
                  " bytes.",
              path, NO_DETAIL);
    }
    if (path.empty()) throw io::filesystem::SaveFileException("Cannot open file. No filename specified.");

    const auto mode = std::ios::out | std::ios::binary | static_cast<std::ios::openmode>(openMode);
    std::unique_ptr<FileReplacement> file;
    try {
        file = _calls.replaceFile(path, mode);
    } catch (const std::ios_base::failure& e) {
        _fail("An error occurred when trying to open the file for writing.", path, e.what());
    }
    try {
        if (!bytes.empty()) file->write(bytes.data(), bytes.size());
        file->commit();
    } catch (const std::ios_base::failure& e) {
        _fail("An error occurred when trying to write the file.", path, e.what());
    }
}

}  // namespace platform::file
