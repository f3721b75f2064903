#pragma once
// One entry of a directory listing, as the platform's find calls deliver it
// (the fields of WIN32_FIND_DATA).

#include <cstdint>
#include <string>

namespace platform::file {

// The longest path the platform's find calls accept (MAX_PATH).
constexpr std::size_t MAX_PATH = 260;

// File attributes, with the platform's values.
constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x1;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400;
// What getFileAttributes answers when the attributes cannot be read.
constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// 100-nanosecond intervals since 1 January 1601 (UTC), split like FILETIME.
struct FileTime {
    std::uint32_t lowDateTime = 0;
    std::uint32_t highDateTime = 0;
};

struct FindRecord {
    std::uint32_t fileAttributes = 0;
    FileTime creationTime;
    FileTime lastAccessTime;
    FileTime lastWriteTime;
    std::uint32_t fileSizeHigh = 0;
    std::uint32_t fileSizeLow = 0;
    std::string fileName;
    std::string alternateFileName;  // the short (8.3) name, empty when there is none

    bool isDirectory() const { return (fileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    std::uint64_t fileSize() const { return (std::uint64_t(fileSizeHigh) << 32) | fileSizeLow; }
};

}  // namespace platform::file
