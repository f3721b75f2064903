// Zip archives as a scan meets them: any bytes either list and read their
// members, each whole and checked, or are refused with ZipReaderException. Only
// members of at most 20000000 bytes are read, as the file signature scan does.

#include "fuzz/FuzzSupport.h"
#include "platform/zip/MemoryArchiveSource.h"
#include "platform/zip/ZipReaderImpl.h"

namespace {

using namespace com::quorvex::products::tamblix;

constexpr std::uint32_t LARGEST_READ = 20000000;

struct Members : ZipMemberVisitor {
    std::vector<ZipEntry> listed;
    bool wants(const ZipEntry& entry) override {
        FUZZ_REQUIRE(entry.name.size() <= 255);
        listed.push_back(entry);
        return entry.uncompressedSize <= LARGEST_READ;
    }
    void read(const ZipEntry& entry, const char*, std::size_t size) override {
        FUZZ_REQUIRE(size == entry.uncompressedSize);
    }
    void failed(const ZipEntry&, const ZipReaderException& failure) override {
        FUZZ_REQUIRE(!failure.getMessage().empty());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryArchiveSource source(fuzz::text(data, size));
    ZipReaderImpl reader(source);
    Members members;
    const bool walked = fuzz::designedAnswer([&] { reader.readMembers("c:\\fuzz.zip", members); });
    std::vector<ZipEntry> listed;
    const bool listedAll = fuzz::designedAnswer([&] { listed = reader.getFileInfo("c:\\fuzz.zip"); });
    // The walk and the listing see the same central directory.
    if (walked && listedAll) FUZZ_REQUIRE(listed == members.listed);
    if (listedAll && !listed.empty() && listed[0].uncompressedSize <= LARGEST_READ)
        fuzz::designedAnswer([&] { reader.loadFromZip("c:\\fuzz.zip", listed[0].name); });
    return 0;
}
