// Linux only: writes a registry file through a temporary file and a rename.
#include "platform/registry/prefix/FileReplacement.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/registry/prefix/FileDescriptor.h"

namespace windows::registry::prefix {

namespace {

bool writeAll(int descriptor, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(descriptor, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int writeInPlace(const std::filesystem::path& target, std::string_view content) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!file.valid()) return errno;
    if (!writeAll(file.get(), content) || ::fsync(file.get()) != 0) return errno;
    return file.close() == 0 ? 0 : errno;
}

void syncFolder(const std::filesystem::path& folder) {
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) ::fsync(directory.get());
}

}  // namespace

int replaceFileContent(const std::filesystem::path& target, std::string_view content) {
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return errno;
    if (exists && (S_ISLNK(existing.st_mode) || (S_ISREG(existing.st_mode) && existing.st_nlink > 1)))
        return writeInPlace(target, content);

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / (target.filename().string() + ".tamblix-XXXXXX")).string();
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.valid()) return errno;
    const mode_t mode = exists ? existing.st_mode & 07777 : 0644;
    int failure = 0;
    if (!writeAll(file.get(), content) || ::fchmod(file.get(), mode) != 0 || ::fsync(file.get()) != 0) failure = errno;
    if (!failure && exists && ::fchown(file.get(), existing.st_uid, existing.st_gid) != 0) {
        // Only a privileged user can hand the file back to its owner; anyone else keeps an own file.
    }
    if (file.close() != 0 && !failure) failure = errno;
    if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    syncFolder(folder);
    return 0;
}

}  // namespace windows::registry::prefix
