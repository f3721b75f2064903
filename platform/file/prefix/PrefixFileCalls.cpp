// Linux only: the Win32 file calls over a prefix's file system.
#include "platform/file/prefix/PrefixFileCalls.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/DirectoryListing.h"
#include "platform/file/prefix/FileAttributes.h"
#include "platform/file/prefix/PrefixFileReplacement.h"
#include "platform/file/prefix/StreamFailure.h"

namespace platform::prefix {

using namespace platform::file;
using Outcome = PathResolver::Outcome;

namespace {

std::string lastName(const AbsolutePath& path) { return path.names.empty() ? "" : path.names.back(); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// "c:\dir\*" is the folder "c:\dir\" and the pattern "*"; "c:*" is "c:" and "*".
void splitPattern(const std::string& text, std::string& folder, std::string& pattern) {
    std::size_t cut = text.size();
    while (cut > 0 && !isSeparator(text[cut - 1])) --cut;
    if (cut == 0 && text.size() >= 2 && text[1] == ':') cut = 2;
    folder = cut == 0 ? "." : text.substr(0, cut);
    pattern = text.substr(cut);
}

bool isValidPattern(const std::string& pattern) {
    for (const char c : pattern)
        if (c != '*' && c != '?' && !isValidName(std::string(1, c))) return false;
    return true;
}

}  // namespace

std::uint32_t PrefixFileCalls::getFileAttributes(const std::string& path) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome != Outcome::FOUND) return INVALID_FILE_ATTRIBUTES;
    return attributesOf(lastName(resolved.windows), resolved.info);
}

bool PrefixFileCalls::deleteFile(const std::string& path) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome != Outcome::FOUND) return false;
    struct stat entry;
    if (::lstat(resolved.native.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode)) {
        platform::setLastError(winerror::ACCESS_DENIED);
        return false;
    }
    if (::unlink(resolved.native.c_str()) != 0) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return false;
    }
    return true;
}

bool PrefixFileCalls::createDirectory(const std::string& path) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome == Outcome::FOUND) platform::setLastError(winerror::ALREADY_EXISTS);
    if (resolved.outcome != Outcome::LAST_MISSING) return false;
    if (::mkdir(resolved.native.c_str(), 0777) != 0) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return false;
    }
    return true;
}

std::unique_ptr<FindHandle> PrefixFileCalls::findFirstFile(const std::string& text, FindRecord& entry) {
    std::string folder, pattern;
    splitPattern(text, folder, pattern);
    if (!isValidPattern(pattern)) {
        platform::setLastError(winerror::INVALID_NAME);
        return nullptr;
    }
    const auto resolved = _resolver.resolve(folder);
    if (resolved.outcome == Outcome::FAILED) return nullptr;
    if (resolved.outcome == Outcome::LAST_MISSING || !S_ISDIR(resolved.info.st_mode)) {
        platform::setLastError(winerror::PATH_NOT_FOUND);
        return nullptr;
    }
    if (pattern.empty()) {
        platform::setLastError(winerror::FILE_NOT_FOUND);
        return nullptr;
    }
    return DirectoryListing::open(resolved.native, pattern, !resolved.windows.isRoot(), entry);
}

void PrefixFileCalls::openForReading(std::ifstream& stream, const std::string& path, std::ios::openmode mode) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome != Outcome::FOUND) failStream(stream, platform::getLastError());
    if (!S_ISREG(resolved.info.st_mode)) failStream(stream, winerror::ACCESS_DENIED);
    openStream(stream, resolved.native, mode | std::ios::in);
}

std::unique_ptr<FileReplacement> PrefixFileCalls::replaceFile(const std::string& path, std::ios::openmode mode) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome == Outcome::FAILED) failStream(platform::getLastError());
    if (resolved.outcome == Outcome::FOUND && S_ISDIR(resolved.info.st_mode)) failStream(winerror::ACCESS_DENIED);
    return PrefixFileReplacement::begin(resolved.native, mode);
}

void PrefixFileCalls::streamFailed(const std::ios& stream) {
    platform::setLastError(stream.eof() ? winerror::HANDLE_EOF : winerror::READ_FAULT);
}

}  // namespace platform::prefix
