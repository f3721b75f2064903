#pragma once
// The zip reader over minizip and zlib. Archives come from an ArchiveSource, so
// paths are resolved as the rest of the program resolves them. Stored and
// deflated members are read; an encrypted member, another compression method or
// bytes that fail the archive's CRC check are failures of that member.

#include "platform/zip/ArchiveSource.h"
#include "platform/zip/ZipReader.h"

namespace com::quorvex::products::tamblix {

class ZipReaderImpl : public ZipReader {
public:
    explicit ZipReaderImpl(ArchiveSource& source) : _source(source) {}

    std::vector<ZipEntry> getFileInfo(const std::string& zipPath) override;
    std::vector<char> loadFromZip(const std::string& zipPath, const std::string& memberName) override;
    void readMembers(const std::string& zipPath, ZipMemberVisitor& visitor) override;

private:
    ArchiveSource& _source;
    // The last member read by readMembers: one buffer for every member.
    std::vector<char> _buffer;
};

}  // namespace com::quorvex::products::tamblix
