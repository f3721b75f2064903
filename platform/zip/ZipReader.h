#pragma once
// Reads the members of zip archives. The reader holds no state: every call opens
// the archive, works and closes it again, also on failure. Every failure of a
// damaged, unreadable or unsupported archive is a ZipReaderException; nothing
// else is thrown for one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/zip/ZipReaderException.h"

namespace com::quorvex::products::tamblix {

// One member as the central directory lists it: its name (at most 255
// characters, "/" separators; directories are members too) and its size.
struct ZipEntry {
    std::string name;
    std::uint32_t uncompressedSize = 0;

    bool operator==(const ZipEntry&) const = default;
};

// Told of every member of an archive walked by readMembers, in central-directory
// order.
class ZipMemberVisitor {
public:
    virtual ~ZipMemberVisitor() = default;
    // Whether the member's bytes are wanted; the size is the central directory's.
    virtual bool wants(const ZipEntry& entry) = 0;
    // A wanted member's bytes, whole and checked against the archive's CRC. The
    // bytes are valid only during the call.
    virtual void read(const ZipEntry& entry, const char* bytes, std::size_t size) = 0;
    // A wanted member that could not be read; the walk goes on with the next one.
    virtual void failed(const ZipEntry& entry, const ZipReaderException& failure) = 0;
};

class ZipReader {
public:
    virtual ~ZipReader() = default;
    // The members in central-directory order.
    virtual std::vector<ZipEntry> getFileInfo(const std::string& zipPath) = 0;
    // The bytes of the first member whose name matches (without regard to case).
    virtual std::vector<char> loadFromZip(const std::string& zipPath, const std::string& memberName) = 0;
    // Walks the archive once and reads each wanted member by its own place in the
    // archive, so members of equal names are each read. A failure to open or
    // list the archive is thrown; members already told of stay told.
    virtual void readMembers(const std::string& zipPath, ZipMemberVisitor& visitor) = 0;
};

}  // namespace com::quorvex::products::tamblix
