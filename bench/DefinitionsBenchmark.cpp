// definitions_benchmark [benchmark options]: loading a large signed product
// (about 10 MB of definitions XML, made by the benchmark, packed and signed like
// a publisher's) from disk until the plugins hold it, and the same work split
// into its steps: reading the files, uncompressing, checking the signature and
// parsing. The plugins are stand-ins that parse the whole document and read
// their own section, as every plugin does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/DefinitionsStore.h"
#include "engine/TamblixEngineImpl.h"
#include "platform/failure/Exception.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/engine/EngineHarness.h"
#include "tools/publisher/KeyPair.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/signature/XmlSignature.h"

namespace {

using namespace com::quorvex::products::tamblix;
namespace fs = std::filesystem;
using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;

// ---- the product

std::string productInformation() {
    return "  <derivate-product-info>\n    <name>Benchmark Cleaner</name>\n    <author>Bench</author>\n"
           "    <version>9.9</version>\n    <publisher>Bench Publishing</publisher>\n"
           "    <product-url>http://bench.example/</product-url>\n    <contact-url>http://bench.example/c</contact-url>\n"
           "    <update-counter>1234</update-counter>\n    <update-date>2024-06-01</update-date>\n"
           "    <tamblix-update-url>http://bench.example/u.xml</tamblix-update-url>\n"
           "    <manual-update-url>http://bench.example/m</manual-update-url>\n"
           "    <troubleshoot-url>http://bench.example/t</troubleshoot-url>\n"
           "    <messages><introduction><![CDATA[<h1>Welcome</h1>]]></introduction>"
           "<scan-finished>Done.</scan-finished></messages>\n"
           "    <stylesheet>body { color: black; }</stylesheet>\n    <variant-url>http://bench.example/v</variant-url>\n"
           "  </derivate-product-info>\n";
}

// Sections for all five plugins, grown until the document holds about targetBytes.
std::string largeDefinitions(std::size_t targetBytes) {
    std::mt19937 random(7);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tamblix-definition>\n" + productInformation() +
                       "  <modifications>\n";
    const std::size_t share = targetBytes / 5;
    auto grow = [&](const std::string& open, const std::string& close, auto entry) {
        text += open;
        const std::size_t until = text.size() + share;
        for (int n = 0; text.size() < until; ++n) text += entry(n);
        text += close;
    };
    grow("    <scan-registry-for-errors-plugin>\n      <ScanKeys><ScanKey root=\"HKEY_CURRENT_USER\" subkey=\"Software\"/>"
         "</ScanKeys>\n      <Whitelist><Paths>\n",
         "      </Paths></Whitelist>\n    </scan-registry-for-errors-plugin>\n", [](int n) {
             return "        <Entry regExp=\"^c:\\\\program files\\\\vendor" + std::to_string(n) + "\\\\\"/>\n";
         });
    grow("    <hosts-block-plugin>\n", "    </hosts-block-plugin>\n", [](int n) {
        return "      <host block=\"true\" recommend=\"true\" info=\"Blocks advertising server " + std::to_string(n) +
               "\">ads" + std::to_string(n) + ".example.com</host>\n";
    });
    grow("    <restricted-domains-plugin>\n", "    </restricted-domains-plugin>\n", [](int n) {
        return "      <domain add=\"true\">site" + std::to_string(n) + ".tracker.example.net</domain>\n";
    });
    grow("    <restricted-ranges-plugin>\n", "    </restricted-ranges-plugin>\n", [](int n) {
        return "      <range add=\"true\">10." + std::to_string(n / 256 % 256) + "." + std::to_string(n % 256) +
               ".1-10." + std::to_string(n / 256 % 256) + "." + std::to_string(n % 256) + ".254</range>\n";
    });
    grow("    <file-signature-plugin>\n      <vossek-cutoff>0.05</vossek-cutoff>\n      <signature-group info=\"Bench\">\n",
         "      </signature-group>\n    </file-signature-plugin>\n", [&](int) {
             static const char* hex = "0123456789abcdef";
             std::string md5;
             for (int i = 0; i < 32; ++i) md5 += hex[random() % 16];
             std::string histogram;
             for (int bin = 0; bin < 256; ++bin) {
                 if (bin) histogram += ',';
                 const unsigned count = random() % 4 == 0 ? 0 : random() % 4096;
                 if (count) {
                     char field[8];
                     std::snprintf(field, sizeof field, "%x", count);
                     histogram += field;
                 }
             }
             return "        <signature md5=\"" + md5 + "\" vossek1=\"" + histogram + "\"/>\n";
         });
    return text + "  </modifications>\n</tamblix-definition>\n";
}

std::vector<char> bytesOf(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

void writeFile(const fs::path& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A product folder on a minimal prefix whose drive Z: is the root, as Wine has it.
struct Product {
    fs::path folder;
    fs::path prefix;
    std::string system;  // the product's system folder as a Windows path
    std::vector<char> publicKey;
    std::size_t definitionsSize = 0;
    std::size_t permanentSize = 0;
    std::size_t packedSize = 0;

    Product() {
        std::string pattern = (fs::temp_directory_path() / "tamblix-definitions-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
        prefix = folder / "prefix";
        fs::create_directories(prefix / "dosdevices");
        fs::create_directories(prefix / "drive_c");
        fs::create_symlink("/", prefix / "dosdevices" / "z:");
        fs::create_symlink("../drive_c", prefix / "dosdevices" / "c:");
        fs::create_directories(folder / "system");
        system = "Z:" + (folder / "system").string() + "\\";
        for (auto& c : system)
            if (c == '/') c = '\\';

        const std::string definitions = largeDefinitions(10 * 1024 * 1024);
        const std::string permanent = largeDefinitions(200 * 1000);
        definitionsSize = definitions.size();
        permanentSize = permanent.size();
        const publisher::KeyPair keys = publisher::generateKeyPair(2048);
        publicKey = keys.publicKeyBlob;
        compression::ZlibCompressionStream compressor;
        const auto packed = compressor.compress(bytesOf(definitions), DefinitionsStore::UNCOMPRESSED_LIMIT);
        packedSize = packed.size();
        writeFile(folder / "system" / "definitions.xml.tam", packed);
        writeFile(folder / "system" / "permanent-definitions.xml.tam",
                  compressor.compress(bytesOf(permanent), DefinitionsStore::UNCOMPRESSED_LIMIT));
        const std::string signature = encryption::pki::XmlSignature().create(
            publisher::sha1Digest(bytesOf(definitions)), publisher::signSha1(keys.privateKeyPem, bytesOf(definitions)),
            "definitions.xml");
        writeFile(folder / "system" / "definitions-sig.xml", bytesOf(signature));
    }
    ~Product() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

Product& product() {
    static Product made;
    return made;
}

// ---- stand-in plugins

// Parses the whole document and reads every entry of its section, as a plugin does.
class SectionReadingPlugin : public Plugin {
public:
    explicit SectionReadingPlugin(std::string entries) : _entries(std::move(entries)) {}

    void loadDefinitions(const std::string& xmlText) override {
        XmlDocument document;
        document.loadXml(xmlText);
        const auto nodes = document.selectNodes(_entries);
        for (int i = 0; i < nodes.getLength(); ++i) {
            const XmlElement element(nodes.getItem(i));
            _read += element.getText().size() + (element.hasAttribute("info") ? 1 : 0);
        }
        _count += nodes.getLength();
    }
    void clearDefinitions() override { _count = 0; }
    bool hasDefinitions() const override { return _count > 0; }
    void expandScanMessage(std::string&) override {}
    void scan(ScanResults&, ScanProgressListener*) override {}
    void setCancelled(bool) override {}
    void fix(ScanResults&, std::string&) override {}
    void fixFinished(ScanResults&) override {}

private:
    std::string _entries;
    long _count = 0;
    std::size_t _read = 0;
};

std::vector<std::unique_ptr<Plugin>> standInPlugins() {
    const std::string base = "//tamblix-definition/modifications/";
    std::vector<std::unique_ptr<Plugin>> plugins;
    for (const char* section : {"scan-registry-for-errors-plugin/Whitelist/Paths/Entry", "hosts-block-plugin/host",
                                "file-signature-plugin/signature-group/signature", "restricted-domains-plugin/domain",
                                "restricted-ranges-plugin/range"})
        plugins.push_back(std::make_unique<SectionReadingPlugin>(base + section));
    return plugins;
}

// ---- the steps

struct Files {
    std::vector<char> definitions;
    std::vector<char> signature;
    std::vector<char> permanent;
};

struct Streams {
    std::unique_ptr<platform::file::IStream> definitions, signature, permanent;
};

Streams openStreams(platform::prefix::PrefixFileServices& files) {
    const std::string& system = product().system;
    return {files.openStream(system + "definitions.xml.tam", std::ios::binary),
            files.openStream(system + "definitions-sig.xml", std::ios::binary),
            files.openStream(system + "permanent-definitions.xml.tam", std::ios::binary)};
}

Files readFiles() {
    platform::prefix::PrefixFileServices files{platform::prefix::WinePrefix(product().prefix)};
    Streams streams = openStreams(files);
    return {streams.definitions->read(0), streams.signature->read(0), streams.permanent->read(0)};
}

struct ProductTarget : DefinitionsTarget {
    ProductInformation information;
    ProductInformation getProductInformation() override { return information; }
    void setProductInformation(const ProductInformation& given) override { information = given; }
    void loadPluginDefinitions(const std::string&, const std::string&) override {}
};

void setLabel(benchmark::State& state) {
    state.SetLabel(std::to_string(product().definitionsSize / 1000) + " kB XML, " +
                   std::to_string(product().packedSize / 1000) + " kB packed");
}

void BM_ReadFiles(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readFiles());
    setLabel(state);
}

void BM_Uncompress(benchmark::State& state) {
    const Files files = readFiles();
    compression::ZlibUncompressionStream uncompressor;
    for (auto _ : state) {
        benchmark::DoNotOptimize(uncompressor.uncompress(files.definitions, DefinitionsStore::UNCOMPRESSED_LIMIT));
        benchmark::DoNotOptimize(uncompressor.uncompress(files.permanent, DefinitionsStore::UNCOMPRESSED_LIMIT));
    }
    setLabel(state);
}

void BM_Verify(benchmark::State& state) {
    const Files files = readFiles();
    compression::ZlibUncompressionStream uncompressor;
    const auto definitions = uncompressor.uncompress(files.definitions, DefinitionsStore::UNCOMPRESSED_LIMIT);
    const DefinitionsStore store(uncompressor, product().publicKey, false);
    for (auto _ : state) {
        platform::file::TestStreamImpl signature(files.signature);
        store.verify(definitions, signature);
    }
    setLabel(state);
}

DefinitionTexts uncompressedTexts() {
    const Files files = readFiles();
    compression::ZlibUncompressionStream uncompressor;
    platform::file::TestStreamImpl d(files.definitions), s(files.signature), p(files.permanent);
    return DefinitionsStore(uncompressor, product().publicKey, false).read(d, s, p);
}

void BM_ParseProductInformation(benchmark::State& state) {
    const windows::com::ComInitializer com;
    const DefinitionTexts texts = uncompressedTexts();
    compression::ZlibUncompressionStream uncompressor;
    const DefinitionsStore store(uncompressor, product().publicKey, false);
    for (auto _ : state) {
        ProductTarget target;
        store.applyProductInformation(texts, target);
        benchmark::DoNotOptimize(target.information.productName);
    }
    setLabel(state);
}

// The two parses of applyProductInformation alone.
void BM_ParseDocuments(benchmark::State& state) {
    const windows::com::ComInitializer com;
    const DefinitionTexts texts = uncompressedTexts();
    for (auto _ : state) {
        XmlDocument definitions;
        definitions.loadXml(texts.definitions);
        XmlDocument permanent;
        permanent.loadXml(texts.permanentDefinitions);
    }
    setLabel(state);
}

// The fifteen lookups of applyProductInformation alone, on parsed documents.
void BM_ProductLookups(benchmark::State& state) {
    const windows::com::ComInitializer com;
    const DefinitionTexts texts = uncompressedTexts();
    XmlDocument definitions;
    definitions.loadXml(texts.definitions);
    XmlDocument permanent;
    permanent.loadXml(texts.permanentDefinitions);
    const char* const keys[][2] = {
        {"name", ""}, {"author", ""}, {"version", ""}, {"publisher", ""}, {"product-url", ""}, {"contact-url", ""},
        {"update-counter", ""}, {"update-date", ""}, {"tamblix-update-url", ""}, {"manual-update-url", ""},
        {"troubleshoot-url", ""}, {"introduction", "messages"}, {"scan-finished", "messages"}, {"stylesheet", ""},
        {"variant-url", ""}};
    for (auto _ : state) {
        const ProductValues values(definitions, permanent);
        for (const auto& key : keys) benchmark::DoNotOptimize(values.lookup(key[0], key[1]));
    }
    setLabel(state);
}

// The plugins' loading as it would cost if each parsed the texts itself; the
// engine's loading shares one parse of each text among the store and the plugins.
void BM_PluginsParse(benchmark::State& state) {
    const windows::com::ComInitializer com;
    const DefinitionTexts texts = uncompressedTexts();
    auto plugins = standInPlugins();
    for (auto _ : state) {
        for (auto& plugin : plugins) plugin->clearDefinitions();
        for (auto& plugin : plugins) plugin->loadDefinitions(texts.permanentDefinitions);
        for (auto& plugin : plugins) plugin->loadDefinitions(texts.definitions);
    }
    setLabel(state);
}

// From the files on disk to an engine whose plugins hold the definitions
// (plugins: the five stand-ins when the argument is 1, none when 0).
void BM_LoadDefinitionFiles(benchmark::State& state) {
    const windows::com::ComInitializer com;
    engine_testing::TestServices peers;
    TamblixEngineImpl engine(peers.services, state.range(0) ? standInPlugins() : std::vector<std::unique_ptr<Plugin>>{},
                             EngineSettings{false, product().publicKey});
    platform::prefix::PrefixFileServices files{platform::prefix::WinePrefix(product().prefix)};
    for (auto _ : state) {
        Streams streams = openStreams(files);
        engine.loadDefinitionFiles(*streams.definitions, *streams.signature, *streams.permanent);
    }
    if (engine.getProductName() != "Benchmark Cleaner") state.SkipWithError("the product was not loaded");
    setLabel(state);
}

// A failure of the program's own shows its text instead of ending the run.
template <void (*Body)(benchmark::State&)>
void reporting(benchmark::State& state) {
    try {
        Body(state);
    } catch (const exceptions::Exception& failure) {
        state.SkipWithError(failure.getMessage().c_str());
    }
}

BENCHMARK(reporting<BM_ReadFiles>)->Name("ReadFiles")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_Uncompress>)->Name("Uncompress")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_Verify>)->Name("Verify")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_ParseProductInformation>)->Name("ParseProductInformation")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_ParseDocuments>)->Name("  ParseDocuments")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_ProductLookups>)->Name("  ProductLookups")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_PluginsParse>)->Name("FivePluginsParse")->Unit(benchmark::kMillisecond);
BENCHMARK(reporting<BM_LoadDefinitionFiles>)
    ->Name("LoadDefinitionFiles")
    ->Arg(0)
    ->Arg(1)
    ->ArgName("plugins")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The product is made before any timing starts.
    try {
        product();
    } catch (const exceptions::Exception& failure) {
        std::cerr << failure.getMessage() << "\n";
        return 1;
    }
    std::cout << "Definitions " << product().definitionsSize << " bytes (packed " << product().packedSize
              << "), permanent definitions " << product().permanentSize << " bytes\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
