#pragma once
// One open archive of minizip, read through an ArchiveSource's stream and closed
// when destroyed.

#include <string>

#include "platform/zip/ArchiveSource.h"
#include "platform/zip/ZipReader.h"

namespace com::quorvex::products::tamblix {

class MinizipArchive {
public:
    // Throws the "Cannot open" text naming method when the archive cannot be opened.
    MinizipArchive(ArchiveSource& source, const std::string& path, const std::string& method);
    ~MinizipArchive();
    MinizipArchive(const MinizipArchive&) = delete;
    MinizipArchive& operator=(const MinizipArchive&) = delete;

    // Null for an archive without members.
    void* handle() const { return _handle; }

    // The number of members (unzGetGlobalInfo); result is minizip's code.
    int memberCount(unsigned long& count) const;
    // The current member's name and size; result is minizip's code.
    int currentEntry(ZipEntry& entry) const;
    // Reads the current member, of the given name and size, whole into buffer
    // (resized to its size) and checks its bytes against the archive's CRC.
    // Failures throw ZipReaderException with texts naming path and method.
    void readCurrent(std::vector<char>& buffer, const ZipEntry& entry, const std::string& path,
                     const std::string& method) const;

private:
    void* _handle = nullptr;
};

}  // namespace com::quorvex::products::tamblix
