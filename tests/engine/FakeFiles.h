#pragma once
// The file services the engine uses, over files and folders held in memory, with
// failures on request. Paths are kept as the engine wrote them.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/file/DirectoryCreator.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileReader.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"
#include "platform/file/FolderCalls.h"

namespace engine_testing {

struct FakeFiles : platform::file::FileReader,
                   platform::file::FileWriter,
                   platform::file::FileRemover,
                   platform::file::DirectoryCreator,
                   platform::file::FolderCalls {
    static constexpr const char* DOCUMENTS = "C:\\users\\tester\\Documents";

    std::map<std::string, std::string> files;
    std::set<std::string> directories;
    // Paths whose removal, and folders whose creation, fail; a failing write.
    std::set<std::string> undeletable;
    std::set<std::string> uncreatable;
    bool failWrites = false;
    bool failFolderQuery = false;
    std::vector<std::string> folderQueries;

    std::vector<char> readFile(const std::string& path, std::size_t) override {
        const auto i = files.find(path);
        if (i == files.end()) throw io::filesystem::LoadFileException("no file " + path);
        return {i->second.begin(), i->second.end()};
    }
    void writeFile(const std::string& path, const std::vector<char>& bytes, int) override {
        if (failWrites) throw io::filesystem::SaveFileException("cannot write " + path);
        files[path] = std::string(bytes.begin(), bytes.end());
    }
    void removeFile(const std::string& path) override {
        if (undeletable.count(path))
            throw io::filesystem::RemoveFileException("Couldn't delete the file '" + path + "'.");
        files.erase(path);  // a missing file is no failure
    }
    void createDirectoryPath(const std::string& path) override { createDirectory(path); }
    void createDirectory(const std::string& path) override {
        if (uncreatable.count(path))
            throw windows::file::CouldNotCreateDirectoryException("Could not create the directory: '" + path + "'.");
        directories.insert(path);
    }
    bool getCurrentDirectory(std::string& path) override {
        path = "C:\\program";
        return true;
    }
    bool setCurrentDirectory(const std::string&) override { return false; }
    bool getSystemDirectory(std::string& path) override {
        path = "C:\\windows\\system32";
        return true;
    }
    bool getWindowsDirectory(std::string& path) override {
        path = "C:\\windows";
        return true;
    }
    bool getFolderPath(int folder, bool create, std::string& path) override {
        folderQueries.push_back(std::to_string(folder) + (create ? " create" : ""));
        if (failFolderQuery) return false;
        path = DOCUMENTS;
        if (create) directories.insert(path);
        return true;
    }
};

}  // namespace engine_testing
