// The definitions as the engine loads them in debug mode: the product values
// looked up in both documents, then every plugin reading its own section. The
// input is the definitions, a 0 byte, then the permanent definitions (XML holds
// no 0 byte, so every input splits one way). Loading the same pair into a fresh
// engine and loading it again into the same engine give the same product.

#include <memory>

#include "engine/TamblixEngineImpl.h"
#include "fuzz/FuzzSupport.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/FileFinder.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "platform/util/Clocks.h"
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipReaderException.h"
#include "update/TamblixUpdate.h"
#include "update/compression/ZlibUncompressionStream.h"

using namespace com::quorvex::products::tamblix;

namespace {

struct NoUpdates : TamblixUpdate {
    int update(const std::string&, int, platform::file::FileWriter&, compression::UncompressionStream&,
               const std::vector<char>&) override {
        return NOT_UPDATED;
    }
    void cancel() override {}
    int getProgress() override { return 0; }
};

struct NoDrives : platform::file::FileFinder, platform::file::DriveEnumerator {
    void find(const std::string&, bool, platform::file::FileFinderVisitor&) override {}
    std::vector<std::string> enumerateDrives(int) override { return {}; }
};

// Never asked: a machine without drives holds no archives.
struct NoArchives : ZipReader {
    std::vector<ZipEntry> getFileInfo(const std::string& path) override { fail(path); }
    std::vector<char> loadFromZip(const std::string& path, const std::string&) override { fail(path); }
    void readMembers(const std::string& path, ZipMemberVisitor&) override { fail(path); }
    [[noreturn]] static void fail(const std::string& path) {
        throw ZipReaderException("Cannot open '" + path + "' using 'unzOpen'.");
    }
};

struct StoppedClocks : TickClock, LocalClock {
    std::uint32_t getTickCount() override { return 0; }
    std::tm now() override { return std::tm{}; }
};

// An engine of the product's own plugins over an empty machine held in memory.
struct Machine {
    windows::registry::memory::MemoryRegistryService registry;
    NoUpdates updater;
    platform::file::memory::MemoryFileSystem files;
    NoDrives drives;
    compression::ZlibUncompressionStream uncompressor;
    StoppedClocks clocks;
    NoArchives zip;
    EngineServices services{registry, updater, files, files, files,        files,  files,  files,
                            drives,   drives,  files, files, uncompressor, clocks, clocks, zip};
    TamblixEngineImpl engine{services, EngineSettings{true, {}}};

    bool load(const std::string& definitions, const std::string& permanent) {
        return fuzz::designedAnswer([&] {
            platform::file::TestStreamImpl definitionsStream({definitions.begin(), definitions.end()});
            platform::file::TestStreamImpl signature({});
            platform::file::TestStreamImpl permanentStream({permanent.begin(), permanent.end()});
            engine.loadDefinitionFiles(definitionsStream, signature, permanentStream);
        });
    }
};

bool sameProduct(const ProductInformation& a, const ProductInformation& b) {
    return a.productName == b.productName && a.author == b.author && a.productVersion == b.productVersion &&
           a.publisher == b.publisher && a.productUrl == b.productUrl && a.contactUrl == b.contactUrl &&
           a.definitionsVersion == b.definitionsVersion && a.definitionsDate == b.definitionsDate &&
           a.updateUrl == b.updateUrl && a.manualUpdateUrl == b.manualUpdateUrl &&
           a.troubleshootUrl == b.troubleshootUrl && a.introductionMessage == b.introductionMessage &&
           a.scanFinishedMessage == b.scanFinishedMessage && a.styleSheet == b.styleSheet &&
           a.variantUrl == b.variantUrl;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const std::size_t split = input.find('\0');
    const std::string definitions = input.substr(0, split);
    const std::string permanent = split == std::string::npos ? std::string() : input.substr(split + 1);

    auto first = std::make_unique<Machine>();
    if (!first->load(definitions, permanent)) return 0;
    const ProductInformation loaded = first->engine.getProductInformation();

    FUZZ_REQUIRE(first->load(definitions, permanent));
    FUZZ_REQUIRE(sameProduct(first->engine.getProductInformation(), loaded));
    auto second = std::make_unique<Machine>();
    FUZZ_REQUIRE(second->load(definitions, permanent));
    FUZZ_REQUIRE(sameProduct(second->engine.getProductInformation(), loaded));
    return 0;
}
