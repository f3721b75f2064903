#pragma once
// Linux only: every file service of one prefix, made together (start-up keeps one
// of these and hands the services on). The services live as long as this object.

#include <memory>

#include "platform/file/CurrentDirectoryImpl.h"
#include "platform/file/DirectoryCreatorImpl.h"
#include "platform/file/DriveServicesImpl.h"
#include "platform/file/FileFinderImpl.h"
#include "platform/file/FileQueriesImpl.h"
#include "platform/file/FileReaderImpl.h"
#include "platform/file/FileWriterImpl.h"
#include "platform/file/IStream.h"
#include "platform/file/prefix/PathResolver.h"
#include "platform/file/prefix/PrefixDriveCalls.h"
#include "platform/file/prefix/PrefixFileCalls.h"
#include "platform/file/prefix/PrefixFolderCalls.h"
#include "platform/file/prefix/RegistryAnswers.h"
#include "platform/file/prefix/WinePrefix.h"

namespace platform::prefix {

class PrefixFileServices {
public:
    // registry, when given, must outlive this object.
    explicit PrefixFileServices(const WinePrefix& prefix, const RegistryAnswers* registry = nullptr);
    PrefixFileServices(const PrefixFileServices&) = delete;
    PrefixFileServices& operator=(const PrefixFileServices&) = delete;

    platform::file::FileReader& fileReader() { return _fileReader; }
    platform::file::FileWriter& fileWriter() { return _fileWriter; }
    platform::file::FileExistsQuery& fileExistsQuery() { return _fileExists; }
    platform::file::FileRemover& fileRemover() { return _fileRemover; }
    platform::file::DirectoryExistsQuery& directoryExistsQuery() { return _directoryExists; }
    platform::file::DriveTypeQuery& driveTypeQuery() { return _driveType; }
    platform::file::FileFinder& fileFinder() { return _fileFinder; }
    platform::file::DriveEnumerator& driveEnumerator() { return _driveEnumerator; }
    platform::file::DirectoryCreator& directoryCreator() { return _directoryCreator; }
    platform::file::CurrentDirectory& currentDirectory() { return _currentDirectory; }
    // For the folder queries (getFolderPath, getSystemDirectory, getWindowsDirectory).
    platform::file::FolderCalls& folders() { return _folderCalls; }
    // The file calls the services are built on, for readers of their own (archives).
    platform::file::FileCalls& fileCalls() { return _fileCalls; }

    // An IFStreamImpl over the file (openMode as the stream library's, combined
    // with input); throws io::file::IStreamException.
    std::unique_ptr<platform::file::IStream> openStream(const std::string& path, int openMode);

private:
    PathResolver _resolver;
    PrefixFileCalls _fileCalls;
    PrefixDriveCalls _driveCalls;
    PrefixFolderCalls _folderCalls;
    platform::file::CurrentDirectoryImpl _currentDirectory;
    platform::file::FileReaderImpl _fileReader;
    platform::file::FileWriterImpl _fileWriter;
    platform::file::FileExistsQueryImpl _fileExists;
    platform::file::FileRemoverImpl _fileRemover;
    platform::file::DirectoryExistsQueryImpl _directoryExists;
    platform::file::DriveTypeQueryImpl _driveType;
    platform::file::FileFinderImpl _fileFinder;
    platform::file::DriveEnumeratorImpl _driveEnumerator;
    platform::file::DirectoryCreatorImpl _directoryCreator;
};

}  // namespace platform::prefix
