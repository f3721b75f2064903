#include "platform/file/memory/MemoryFileSystem.h"

#include <cstddef>
#include <ios>

#include "platform/failure/LastError.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/StreamSize.h"
#include "platform/util/CaseFolding.h"

namespace platform::file::memory {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isRoot(const std::string& path) {
    return (path.size() == 1 && isSeparator(path[0])) || (path.size() == 3 && path[1] == ':' && isSeparator(path[2]));
}

// The directory's name without its final separators.
std::string directoryName(std::string path) {
    while (path.size() > 1 && isSeparator(path.back()) && !isRoot(path)) path.pop_back();
    return path;
}

// A leading piece of a path that names no directory to make: a drive ("c:"), a
// run of separators, or a network path's server ("\\server").
bool isNoDirectory(const std::string& piece, bool network) {
    if (piece.empty() || isSeparator(piece.back()) || piece.back() == ':') return true;
    return network && piece.find_first_of("\\/", 2) == std::string::npos;
}

}  // namespace

bool WindowsNameOrder::operator()(const std::string& a, const std::string& b) const {
    return util::foldCase(a) < util::foldCase(b);
}

MemoryFileSystem::MemoryFileSystem() : drives{{"c:\\", DRIVE_FIXED}} {}

MemoryFileSystem::MemoryFileSystem(const std::vector<std::string>& filePaths,
                                   const std::vector<std::string>& directoryPaths,
                                   const std::map<std::string, int>& driveTypes)
    : drives(driveTypes.begin(), driveTypes.end()) {
    for (const auto& path : filePaths) addFile(path);
    for (const auto& path : directoryPaths) directories.insert(directoryName(path));
}

std::vector<char> MemoryFileSystem::readFile(const std::string& path, std::size_t bytesToRead) {
    const auto found = files.find(path);
    if (found == files.end()) throw io::filesystem::LoadFileException("no file " + path);
    const std::string& content = found->second;
    const auto size = static_cast<long long>(content.size());
    // The file reader's own refusals, in its words.
    if (const auto refusal = tooLargeReadText(bytesToRead, size); !refusal.empty())
        throw io::filesystem::LoadFileException(refusal);
    const std::size_t count = readCount(bytesToRead, size);
    return {content.begin(), content.begin() + static_cast<std::ptrdiff_t>(count)};
}

void MemoryFileSystem::writeFile(const std::string& path, const std::vector<char>& bytes, int openMode) {
    if (failWrites) throw io::filesystem::SaveFileException("cannot write " + path);
    const std::string content(bytes.begin(), bytes.end());
    if (openMode & std::ios::app)
        files[path] += content;
    else
        files[path] = content;
}

void MemoryFileSystem::removeFile(const std::string& path) {
    if (undeletable.count(path)) throw io::filesystem::RemoveFileException("Couldn't delete the file '" + path + "'.");
    files.erase(path);  // a missing file is no failure
}

bool MemoryFileSystem::fileExists(const std::string& path) {
    fileQuestions.push_back(path);
    return files.count(path) > 0;
}

bool MemoryFileSystem::directoryExists(const std::string& path) {
    directoryQuestions.push_back(path);
    if (failingDirectoryTests.count(path))
        throw io::filesystem::ExistsDirException("The directory test failed: " + path);
    return directories.count(directoryName(path)) > 0;
}

int MemoryFileSystem::getDriveType(const std::string& rootPath) {
    driveQuestions.push_back(rootPath);
    const auto found = drives.find(rootPath);
    return found == drives.end() ? DRIVE_NO_ROOT_DIR : found->second;
}

void MemoryFileSystem::createDirectoryPath(const std::string& path) {
    const bool network = path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1]);
    for (std::size_t at = 0; at < path.size(); ++at) {
        if (!isSeparator(path[at])) continue;
        const std::string piece = path.substr(0, at);
        if (!isNoDirectory(piece, network)) createDirectory(piece);
    }
    if (!isNoDirectory(path, network) || isRoot(path)) createDirectory(path);
}

void MemoryFileSystem::createDirectory(const std::string& path) {
    const std::string name = directoryName(path);
    if (uncreatable.count(name))
        throw windows::file::CouldNotCreateDirectoryException("Could not create the directory: '" + path + "'.");
    directories.insert(name);
}

bool MemoryFileSystem::getCurrentDirectory(std::string& path) {
    path = currentDirectory;
    return true;
}

bool MemoryFileSystem::setCurrentDirectory(const std::string& path) {
    if (!directories.count(directoryName(path))) {
        platform::setLastError(platform::winerror::PATH_NOT_FOUND);
        return false;
    }
    currentDirectory = directoryName(path);
    return true;
}

bool MemoryFileSystem::getSystemDirectory(std::string& path) {
    path = systemDirectory;
    return true;
}

bool MemoryFileSystem::getWindowsDirectory(std::string& path) {
    path = windowsDirectory;
    return true;
}

bool MemoryFileSystem::getVersion(SystemVersion& answer) {
    answer = version;
    return true;
}

bool MemoryFileSystem::getFolderPath(int folder, bool create, std::string& path) {
    folderQueries.push_back(std::to_string(folder) + (create ? " create" : ""));
    const auto found = shellFolders.find(folder);
    if (failFolderQuery || found == shellFolders.end()) {
        platform::setLastError(platform::winerror::FILE_NOT_FOUND);
        return false;
    }
    path = found->second;
    if (create) directories.insert(directoryName(path));
    return true;
}

}  // namespace platform::file::memory
