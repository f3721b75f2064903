#pragma once
// A file system held in memory, for the tests of the layers above: files with
// their content, directories and drive roots named by Windows paths, matched
// without regard to case as Windows does (a name keeps the spelling it was first
// given). Paths are taken as written: nothing is resolved against the working
// directory, and a file needs no directory above it. The state is open to the
// test that owns the object, and so are the failures it asks for and a record of
// the questions asked; one thread at a time.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file/DirectoryCreator.h"
#include "platform/file/DirectoryExistsQuery.h"
#include "platform/file/DriveCalls.h"
#include "platform/file/DriveTypeQuery.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/file/FileReader.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"
#include "platform/file/FolderCalls.h"

namespace platform::file::memory {

// Windows' order of names: the letters A to Z equal to a to z.
struct WindowsNameOrder {
    bool operator()(const std::string& a, const std::string& b) const;
};

class MemoryFileSystem : public FileReader,
                         public FileWriter,
                         public FileRemover,
                         public FileExistsQuery,
                         public DirectoryExistsQuery,
                         public DriveTypeQuery,
                         public DirectoryCreator,
                         public FolderCalls {
public:
    static constexpr const char* DOCUMENTS = "C:\\users\\tester\\Documents";

    // Drive C: a fixed disk, no file and no directory.
    MemoryFileSystem();
    // Empty files at the paths, the directories, and the drive types by root ("c:\").
    MemoryFileSystem(const std::vector<std::string>& filePaths, const std::vector<std::string>& directoryPaths,
                     const std::map<std::string, int>& driveTypes = {{"c:\\", DRIVE_FIXED}});

    void addFile(const std::string& path, const std::string& content = "") { files[path] = content; }
    // From now on the directory test of the path throws.
    void failDirectoryTest(const std::string& path) { failingDirectoryTests.insert(path); }

    std::vector<char> readFile(const std::string& path, std::size_t bytesToRead) override;
    void writeFile(const std::string& path, const std::vector<char>& bytes, int openMode = 0) override;
    void removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    // A final backslash is no part of the name, except a root's.
    bool directoryExists(const std::string& path) override;
    int getDriveType(const std::string& rootPath) override;
    void createDirectoryPath(const std::string& path) override;
    void createDirectory(const std::string& path) override;
    bool getCurrentDirectory(std::string& path) override;
    // Only to a directory that is there.
    bool setCurrentDirectory(const std::string& path) override;
    bool getSystemDirectory(std::string& path) override;
    bool getWindowsDirectory(std::string& path) override;
    bool getVersion(SystemVersion& answer) override;
    // The shell folder's path; create adds it to the directories.
    bool getFolderPath(int folder, bool create, std::string& path) override;

    // What is there.
    std::map<std::string, std::string, WindowsNameOrder> files;
    std::set<std::string, WindowsNameOrder> directories;
    std::map<std::string, int, WindowsNameOrder> drives;
    std::string currentDirectory = "C:\\program";
    std::string systemDirectory = "C:\\windows\\system32";
    std::string windowsDirectory = "C:\\windows";
    SystemVersion version{VER_PLATFORM_WIN32_NT, 10, 0};
    std::map<int, std::string> shellFolders = {{CSIDL_PERSONAL, DOCUMENTS}};

    // Failures on request: files whose removal fails, directories whose creation
    // fails, directory tests that throw, every write, every shell folder query.
    std::set<std::string, WindowsNameOrder> undeletable;
    std::set<std::string, WindowsNameOrder> uncreatable;
    std::set<std::string, WindowsNameOrder> failingDirectoryTests;
    bool failWrites = false;
    bool failFolderQuery = false;

    // The questions asked, in order, with the paths as the caller wrote them; a
    // shell folder query as its id, with " create" when it may make the folder.
    std::vector<std::string> fileQuestions;
    std::vector<std::string> directoryQuestions;
    std::vector<std::string> driveQuestions;
    std::vector<std::string> folderQueries;
};

}  // namespace platform::file::memory
