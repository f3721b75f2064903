// The zone plugins against a real prefix made by Wine: Wine plants the zone map,
// the plugins suggest, the fix phase carries the selected suggestions out (once
// through the engine, once through the headless command line), and Wine reads
// back what is left.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "engine/TamblixEngineImpl.h"
#include "engine/plugins/RestrictedDomainPlugin.h"
#include "engine/plugins/RestrictedRangePlugin.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/engine/EngineHarness.h"
#include "tests/engine/plugins/ZoneMapFixture.h"
#include "tests/app/JsonValue.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"
#include "tests/support/WinePrefixTest.h"

namespace zone_testing {
namespace {

namespace fs = std::filesystem;

const std::string ZONE_MAP = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap";

// One reg add of a value below the zone map, as an argument list of wine's reg.
std::string regAdd(const std::string& below, const std::string& name, const std::string& type, const std::string& data) {
    return "reg add '" + ZONE_MAP + "\\" + below + "' /v '" + name + "' /t " + type + " /d '" + data + "' /f";
}

const char* const PLANTED_DEFINITIONS =
    "<restricted-domains-plugin>"
    "<domain add=\"true\" recommend=\"true\">example.org</domain>"
    "<domain add=\"false\">ads.tracker.net</domain>"
    "<domain add=\"true\">new.example.com</domain>"
    "<domain add=\"false\">absent.org</domain>"
    "</restricted-domains-plugin>"
    "<restricted-ranges-plugin>"
    "<range add=\"true\">10.1.2.3</range>"
    "<range add=\"false\" recommend=\"true\">192.0.2.*</range>"
    "<range add=\"true\">198.51.100.*</range>"
    "</restricted-ranges-plugin>";

class ZoneMapInWine : public testing_support::WinePrefixTest {
protected:
    // Plants, in one Wine session, two domains and two ranges, and a domain
    // that no definition names.
    void plantZoneMap() {
        plant({regAdd("Domains\\example.org", "*", "REG_DWORD", "2"),
               regAdd("Domains\\tracker.net\\ads", "*", "REG_DWORD", "4"), regAdd("Domains\\keep.org", "*", "REG_DWORD", "4"),
               regAdd("Ranges\\Range3", ":Range", "REG_SZ", "10.1.2.3"), regAdd("Ranges\\Range3", "*", "REG_DWORD", "2"),
               regAdd("Ranges\\Range5", ":Range", "REG_SZ", "192.0.2.*"), regAdd("Ranges\\Range5", "*", "REG_DWORD", "4")});
    }

    // Runs the reg commands in one Wine session (one server start), each on its own.
    void plant(const std::vector<std::string>& commands) {
        std::string line = "cmd /c";
        for (std::size_t i = 0; i < commands.size(); ++i) line += (i ? " '&' " : " ") + commands[i];
        std::string output;
        ASSERT_EQ(testing_support::runWine(prefix, line, &output), 0) << output;
    }

    // What reg query lists below the zone map's Domains and Ranges keys, one line
    // per key ("Domains\example.org") and per value ("  * REG_DWORD 0x4").
    std::vector<std::string> zoneMapAsWineSeesIt() {
        std::string output;
        EXPECT_EQ(testing_support::runWine(prefix, "cmd /c reg query '" + ZONE_MAP + "\\Domains' /s '&' reg query '" +
                                                       ZONE_MAP + "\\Ranges' /s",
                                           &output),
                  0);
        std::vector<std::string> lines;
        std::istringstream in(output);
        const std::string keyPrefix =
            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\";
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            if (line.rfind(keyPrefix, 0) == 0) {
                lines.push_back(line.substr(keyPrefix.size()));
                continue;
            }
            // "    name    TYPE    data": the fields are separated by four blanks.
            std::string fields;
            std::size_t at = line.find_first_not_of(' ');
            while (at != std::string::npos) {
                const std::size_t end = line.find("    ", at);
                fields += " " + line.substr(at, end == std::string::npos ? std::string::npos : end - at);
                at = end == std::string::npos ? end : line.find_first_not_of(' ', end);
            }
            lines.push_back(" " + fields);
        }
        return lines;
    }
};

// Waits for the engine's worker: removing an observer joins it.
void waitForWorker(TamblixEngineImpl& engine) {
    struct None : Observer {
        void onNotify(Observable*) override {}
    } none;
    engine.removeObserver(&none);
}

TEST_F(ZoneMapInWine, TheFixLeavesTheZoneMapExactlyAsTheSelectedSuggestionsSay) {
    plantZoneMap();
    {
        testing_support::WorkingDirectory inScratch{scratch.path()};
        const platform::prefix::WinePrefix wine(prefix);
        windows::registry::RegistryServiceImpl registry{wine};
        const windows::registry::prefix::PrefixRegistryAnswers answers(registry);
        platform::prefix::PrefixFileServices files(wine, &answers);
        engine_testing::TestServices peers;
        EngineServices& services = peers.services;
        services.registry = registry;
        services.writer = files.fileWriter();
        services.remover = files.fileRemover();
        services.dirCreator = files.directoryCreator();
        services.folders = files.folders();
        std::vector<std::unique_ptr<Plugin>> plugins;
        plugins.push_back(std::make_unique<RestrictedDomainPlugin>(registry));
        plugins.push_back(std::make_unique<RestrictedRangePlugin>(registry));
        TamblixEngineImpl engine(services, std::move(plugins));
        ProductInformation product;
        product.productName = "Zone Check";
        product.productVersion = "1";
        engine.setProductInformation(product);
        engine.loadPluginDefinitions(definitions(""), definitions(PLANTED_DEFINITIONS));

        engine.scan();
        waitForWorker(engine);
        ASSERT_EQ(engine.getState(), ENGINE_SCAN_FINISHED) << engine.getErrorMessage();
        const std::vector<RegistryModification>& records = engine.getScanResults().registryChanges;
        const std::string newDomain = " | domaingroup3 | off | Adds the new.example.com domain to the restricted zone";
        const std::string newRange = " | rangegroup2 | off | Adds the 198.51.100.* range to the restricted zone";
        ASSERT_EQ(render(records),
                  (std::vector<std::string>{
                      "remove subkey Domains\\tracker.net | domaingroup1 | off | "
                      "Removes the ads.tracker.net domain from the restricted zone",
                      "set value Domains\\example.org *=dword:4 | domaingroup2 | on | "
                      "Adds the example.org domain to the restricted zone",
                      "add subkey Domains\\example.com" + newDomain,
                      "add subkey Domains\\example.com\\new" + newDomain,
                      "set value Domains\\example.com\\new *=dword:4" + newDomain,
                      "set value Ranges\\Range3 *=dword:4 | rangegroup0 | off | Adds the 10.1.2.3 range to the restricted zone",
                      "remove subkey Ranges\\Range5 | rangegroup1 | on | Removes the 192.0.2.* range from the restricted zone",
                      "add subkey Ranges\\Range6" + newRange,
                      "set value Ranges\\Range6 :Range=\"198.51.100.*\"" + newRange,
                      "set value Ranges\\Range6 *=dword:4" + newRange,
                  }));
        EXPECT_EQ(engine.getScanProblems(), std::vector<std::string>{});

        // Everything but the range 10.1.2.3; a group follows its first record.
        engine.selectAllRegistry(true);
        engine.setSelected({records[5].state.id, false});
        engine.fix();
        waitForWorker(engine);
        ASSERT_EQ(engine.getState(), ENGINE_FIX_FINISHED) << engine.getErrorMessage();
        EXPECT_EQ(engine.getFixProblems(), std::vector<std::string>{});
    }

    EXPECT_EQ(zoneMapAsWineSeesIt(), (std::vector<std::string>{
                                         "Domains",
                                         "  (Default) REG_SZ",
                                         "Domains\\example.com",
                                         "Domains\\example.com\\new",
                                         "  * REG_DWORD 0x4",
                                         "Domains\\example.org",
                                         "  * REG_DWORD 0x4",
                                         "Domains\\keep.org",
                                         "  * REG_DWORD 0x4",
                                         "Ranges",
                                         "  (Default) REG_SZ",
                                         "Ranges\\Range3",
                                         "  * REG_DWORD 0x2",
                                         "  :Range REG_SZ 10.1.2.3",
                                         "Ranges\\Range6",
                                         "  * REG_DWORD 0x4",
                                         "  :Range REG_SZ 198.51.100.*",
                                     }));
}


// The product as a publisher ships it, with the given definitions as its plain
// (debug) files, driven by the headless command line.
class ZoneMapInWineThroughTheCommandLine : public ZoneMapInWine {
protected:
    void SetUp() override {
        ZoneMapInWine::SetUp();
        if (IsSkipped()) return;
        testing_support::copyDemoProduct(product, scratch.path() / "demo-prefix");
        // The demo's product information, with only the zone sections to scan.
        for (const char* name : {"permanent-definitions.xml", "definitions.xml"}) {
            const fs::path file = product / "system" / name;
            std::string text = testing_support::readFile(file);
            const std::size_t start = text.find("<modifications>");
            const std::size_t end = text.find("</modifications>");
            ASSERT_TRUE(start != std::string::npos && end != std::string::npos) << file;
            const bool permanent = std::string(name) == "permanent-definitions.xml";
            text.replace(start, end - start, "<modifications>" + std::string(permanent ? "" : CLI_DEFINITIONS));
            scratch.write("product/system/" + std::string(name), text);
        }
    }
    testing_support::JsonValue cli(const std::vector<std::string>& arguments) {
        const testing_support::ProgramResult run =
            testing_support::runProgram(product / "tamblix-cli", arguments, scratch.path(), prefix);
        EXPECT_EQ(run.exitCode, 1) << run.errors;
        return testing_support::parseJson(run.output);
    }

    static constexpr const char* CLI_DEFINITIONS =
        "<restricted-domains-plugin>"
        "<domain add=\"true\">example.org</domain>"
        "<domain add=\"false\" recommend=\"true\">ads.tracker.net</domain>"
        "<domain add=\"true\" recommend=\"true\">new.example.com</domain>"
        "</restricted-domains-plugin>"
        "<restricted-ranges-plugin>"
        "<range add=\"true\" recommend=\"true\">10.1.2.3</range>"
        "<range add=\"false\">192.0.2.*</range>"
        "<range add=\"true\" recommend=\"true\">198.51.100.*</range>"
        "</restricted-ranges-plugin>";

    fs::path product = scratch.path() / "product";
};

TEST_F(ZoneMapInWineThroughTheCommandLine, AFixOfTheRecommendedSuggestionsAddsAndRemovesExactlyThose) {
    plantZoneMap();
    const testing_support::JsonValue report = cli({"fix", "--debug", "--select", "recommended", "--json"});
    EXPECT_EQ(report["state"].text, "fix-finished") << report["error"].text;
    EXPECT_EQ(report["suggestions"].number, 6);
    EXPECT_EQ(report["scanProblems"].items.size(), 0u);
    EXPECT_EQ(report["fixProblems"].items.size(), 0u);
    std::vector<std::string> applied;
    for (const auto& record : report["registry"].items)
        if (record["applied"].boolean) applied.push_back(record["action"].text + " " + record["key"].text.substr(record["key"].text.rfind("ZoneMap\\") + 8));
    EXPECT_EQ(applied, (std::vector<std::string>{"Remove subkey Domains\\tracker.net", "Add subkey Domains\\example.com",
                                                 "Add subkey Domains\\example.com\\new", "Add value Domains\\example.com\\new",
                                                 "Add value Ranges\\Range3", "Add subkey Ranges\\Range6",
                                                 "Add value Ranges\\Range6", "Add value Ranges\\Range6"}));

    EXPECT_EQ(zoneMapAsWineSeesIt(), (std::vector<std::string>{
                                         "Domains",
                                         "  (Default) REG_SZ",
                                         "Domains\\example.com",
                                         "Domains\\example.com\\new",
                                         "  * REG_DWORD 0x4",
                                         "Domains\\example.org",
                                         "  * REG_DWORD 0x2",
                                         "Domains\\keep.org",
                                         "  * REG_DWORD 0x4",
                                         "Ranges",
                                         "  (Default) REG_SZ",
                                         "Ranges\\Range3",
                                         "  * REG_DWORD 0x4",
                                         "  :Range REG_SZ 10.1.2.3",
                                         "Ranges\\Range5",
                                         "  * REG_DWORD 0x4",
                                         "  :Range REG_SZ 192.0.2.*",
                                         "Ranges\\Range6",
                                         "  * REG_DWORD 0x4",
                                         "  :Range REG_SZ 198.51.100.*",
                                     }));
}

}  // namespace
}  // namespace zone_testing
