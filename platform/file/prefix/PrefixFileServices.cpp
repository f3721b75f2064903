// Linux only: the file services of a prefix, wired together.
#include "platform/file/prefix/PrefixFileServices.h"

#include "platform/file/IFStreamImpl.h"

namespace platform::prefix {

PrefixFileServices::PrefixFileServices(const WinePrefix& prefix, const RegistryAnswers* registry)
    : _resolver(prefix),
      _fileCalls(_resolver),
      _driveCalls(prefix, registry),
      _folderCalls(prefix, _resolver, registry),
      _currentDirectory(_folderCalls),
      _fileReader(_fileCalls, _currentDirectory),
      _fileWriter(_fileCalls, _currentDirectory),
      _fileExists(_fileCalls),
      _fileRemover(_fileCalls),
      _directoryExists(_fileCalls),
      _driveType(_driveCalls),
      _fileFinder(_fileCalls),
      _driveEnumerator(_driveCalls),
      _directoryCreator(_fileCalls) {}

std::unique_ptr<platform::file::IStream> PrefixFileServices::openStream(const std::string& path, int openMode) {
    return std::make_unique<platform::file::IFStreamImpl>(_fileCalls, _currentDirectory, path, openMode);
}

}  // namespace platform::prefix
