// Linux only: Windows attributes and find records from stat.
#include "platform/file/prefix/FileAttributes.h"

namespace platform::prefix {

using namespace platform::file;

namespace {

// 100-nanosecond intervals between 1 January 1601 and 1 January 1970.
constexpr std::uint64_t UNIX_EPOCH_AS_FILETIME = 116444736000000000ull;

FileTime fileTimeOf(const struct timespec& time) {
    const std::int64_t ticks = static_cast<std::int64_t>(time.tv_sec) * 10000000 + time.tv_nsec / 100;
    const std::uint64_t value = ticks < -static_cast<std::int64_t>(UNIX_EPOCH_AS_FILETIME)
                                    ? 0
                                    : static_cast<std::uint64_t>(ticks + static_cast<std::int64_t>(UNIX_EPOCH_AS_FILETIME));
    return {static_cast<std::uint32_t>(value & 0xFFFFFFFFu), static_cast<std::uint32_t>(value >> 32)};
}

}  // namespace

std::uint32_t attributesOf(const std::string& name, const struct stat& info) {
    std::uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else if (S_ISREG(info.st_mode)) {
        attributes = FILE_ATTRIBUTE_ARCHIVE;
        if ((info.st_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    } else if (S_ISLNK(info.st_mode)) {
        attributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
    } else {
        attributes = FILE_ATTRIBUTE_SYSTEM;
    }
    if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

FindRecord findRecordOf(const std::string& name, const struct stat& info) {
    FindRecord record;
    record.fileAttributes = attributesOf(name, info);
    record.creationTime = fileTimeOf(info.st_mtim);
    record.lastAccessTime = fileTimeOf(info.st_atim);
    record.lastWriteTime = fileTimeOf(info.st_mtim);
    if (S_ISREG(info.st_mode)) {
        const auto size = static_cast<std::uint64_t>(info.st_size);
        record.fileSizeHigh = static_cast<std::uint32_t>(size >> 32);
        record.fileSizeLow = static_cast<std::uint32_t>(size & 0xFFFFFFFFu);
    }
    record.fileName = name;
    return record;
}

}  // namespace platform::prefix
