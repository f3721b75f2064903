#pragma once
// A file system in memory for the registry scanner's tests: files and
// directories named by Windows paths, matched without regard to case as Windows
// does, drive types per root, paths whose directory test fails, and a record of
// every question asked.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file/DirectoryExistsQuery.h"
#include "platform/file/DriveCalls.h"
#include "platform/file/DriveTypeQuery.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/util/StringHelper.h"

namespace scanner_testing {

class FakeFileSystem : public platform::file::FileExistsQuery,
                       public platform::file::DirectoryExistsQuery,
                       public platform::file::DriveTypeQuery {
public:
    FakeFileSystem() = default;
    FakeFileSystem(const std::vector<std::string>& files, const std::vector<std::string>& directories,
                   const std::map<std::string, int>& drives = {{"c:\\", platform::file::DRIVE_FIXED}}) {
        for (const auto& file : files) addFile(file);
        for (const auto& directory : directories) _directories.insert(lower(directory));
        for (const auto& [root, type] : drives) _drives[lower(root)] = type;
    }

    void addFile(const std::string& path) { _files.insert(lower(path)); }
    void failDirectoryTest(const std::string& path) { _failingDirectories.insert(lower(path)); }

    bool fileExists(const std::string& path) override {
        fileQuestions.push_back(path);
        return _files.count(lower(path)) > 0;
    }
    bool directoryExists(const std::string& path) override {
        directoryQuestions.push_back(path);
        if (_failingDirectories.count(lower(path)))
            throw io::filesystem::ExistsDirException("The directory test failed: " + path);
        std::string key = lower(path);
        if (key.size() > 3 && key.back() == '\\') key.pop_back();
        return _directories.count(key) > 0;
    }
    int getDriveType(const std::string& root) override {
        driveQuestions.push_back(root);
        const auto found = _drives.find(lower(root));
        return found == _drives.end() ? platform::file::DRIVE_NO_ROOT_DIR : found->second;
    }

    std::vector<std::string> fileQuestions;
    std::vector<std::string> directoryQuestions;
    std::vector<std::string> driveQuestions;

private:
    static std::string lower(const std::string& text) { return util::StringHelper::toLower(text); }

    std::set<std::string> _files;
    std::set<std::string> _directories;
    std::set<std::string> _failingDirectories;
    std::map<std::string, int> _drives;
};

}  // namespace scanner_testing
