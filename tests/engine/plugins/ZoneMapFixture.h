#pragma once
// The zone plugins over an in-memory registry: a user hive holding a zone map
// written as Wine registry text, definitions as XML, and the records rendered as
// one line each so that tables of expected suggestions read like the window. A
// fix goes through the engine, and the zone map after it is read back as lines.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/TamblixEngineImpl.h"
#include "engine/plugins/DomainZoneMap.h"
#include "engine/plugins/RangeZoneMap.h"
#include "engine/plugins/ScanResults.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryReader.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "platform/registry/memory/MemoryRegistryService.h"

#include "tests/engine/EngineHarness.h"
#include "tests/platform/registry/RegistryTestText.h"

namespace zone_testing {

using namespace com::quorvex::products::tamblix;
using windows::registry::memory::MemoryRegistryService;

// A key below the zone map (e.g. "Domains\\b.c") with its value lines, as they stand in a registry file.
inline std::string zoneKey(const std::string& below, const std::string& lines = "") {
    std::string path = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\" + below;
    std::string escaped;
    for (const char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return registry_test::key(escaped, lines);
}

inline std::string zoneValue(const char* zone) { return std::string("\"*\"=") + zone + "\n"; }

// A definitions document with the given elements inside modifications.
inline std::string definitions(const std::string& elements) {
    return "<?xml version=\"1.0\"?><tamblix-definition><modifications>" + elements +
           "</modifications></tamblix-definition>";
}

// One record as a line: action, key below the zone map, value and data for set
// values, group, ticked or not, description. A root other than HKCU is shown.
inline std::string render(const RegistryModification& record) {
    static const char* const ACTIONS[] = {"add subkey", "set value", "remove subkey", "remove value"};
    const std::string zoneMap = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\";
    std::string line = record.action >= 0 && record.action < 4 ? ACTIONS[record.action] : "action?";
    if (record.root != windows::registry::ROOT_CURRENT_USER) line += " root" + std::to_string(record.root);
    line += " " + (record.subkey.rfind(zoneMap, 0) == 0 ? record.subkey.substr(zoneMap.size()) : record.subkey);
    if (record.action == RegistryModification::SET_VALUE || record.action == RegistryModification::REMOVE_VALUE) {
        line += " " + record.valueName + "=";
        line += record.data.type == ModificationValue::TYPE_DWORD ? "dword:" + std::to_string(record.data.number)
                                                                  : "\"" + record.data.text + "\"";
    } else if (!record.valueName.empty() || record.data.type != ModificationValue::TYPE_STRING ||
               !record.data.text.empty() || record.data.number != 0) {
        line += " (stray value " + record.valueName + ")";
    }
    line += " | " + record.group + " | " + (record.state.selected ? "on" : "off") + " | " + record.description;
    if (record.state.applied) line += " | applied";
    return line;
}

inline std::vector<std::string> render(const std::vector<RegistryModification>& records) {
    std::vector<std::string> lines;
    for (const auto& record : records) lines.push_back(render(record));
    return lines;
}

// Every key below the zone map's key of that name ("Domains\\b.c", as the key is
// named) followed by its values ("  *=dword:4", "  :Range=\"10.0.0.1\""), depth first.
inline void listZoneKeys(windows::registry::RegistryService& registry, const std::string& path,
                         const std::string& shown, std::vector<std::string>& lines) {
    using namespace windows::registry;
    const auto key = registry.openKey(ROOT_CURRENT_USER, path, ACCESS_READ);
    const auto reader = registry.createReader(key.get());
    for (const auto& [name, data] : reader->enumValues())
        lines.push_back("  " + name + "=" +
                        (data.isDword() ? "dword:" + std::to_string(data.getDword()) : "\"" + data.toString() + "\""));
    for (const std::string& sub : reader->enumSubkeys()) {
        const std::string child = shown.empty() ? sub : shown + "\\" + sub;
        lines.push_back(child);
        listZoneKeys(registry, path + "\\" + sub, child, lines);
    }
}

class ProgressTexts : public ScanProgressListener {
public:
    void progress(std::string text) override { texts.push_back(std::move(text)); }
    std::vector<std::string> texts;
};

// Scans a zone map with a plugin of the given kind and the given definitions.
class ZoneMap : public ::testing::Test {
protected:
    void useZoneMap(const std::string& keys) {
        registry.importHive(windows::registry::tree::HiveId::USER,
                            registry_test::header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") +
                                registry_test::key("Environment") + keys);
    }

    template <class ZonePlugin>
    ScanResults scanWith(const std::string& elements) {
        ZonePlugin plugin(registry);
        plugin.loadDefinitions(definitions(elements));
        ScanResults results;
        plugin.scan(results, &progress);
        return results;
    }

    // What a fix of every suggestion did: the records afterwards, the fix
    // problems and the log's registry section.
    struct FixOutcome {
        std::vector<std::string> records;
        std::vector<std::string> problems;
        std::string log;
    };

    // Scans with a plugin of the given kind inside an engine over this registry,
    // ticks every suggestion and fixes.
    template <class ZonePlugin>
    FixOutcome fixEverythingWith(const std::string& elements) {
        engine_testing::TestServices peers;
        peers.services.registry = registry;
        platform::file::memory::MemoryFileSystem& files = peers.files;
        std::vector<std::unique_ptr<Plugin>> plugins;
        plugins.push_back(std::make_unique<ZonePlugin>(registry));
        TamblixEngineImpl engine(peers.services, std::move(plugins));
        ProductInformation product;
        product.productName = "Zone Check";
        product.productVersion = "1";
        engine.setProductInformation(product);
        engine.loadPluginDefinitions(definitions(""), definitions(elements));
        engine.scan();
        waitForWorker(engine);
        EXPECT_EQ(engine.getState(), ENGINE_SCAN_FINISHED) << engine.getErrorMessage();
        engine.selectAllRegistry(true);
        engine.fix();
        waitForWorker(engine);
        EXPECT_EQ(engine.getState(), ENGINE_FIX_FINISHED) << engine.getErrorMessage();
        FixOutcome outcome{render(engine.getScanResults().registryChanges), engine.getFixProblems(), ""};
        const auto log = files.files.find(engine.getLogFilePath());
        if (log != files.files.end()) {
            const std::size_t from = log->second.find("Registry modifications\n");
            const std::size_t to = log->second.find("\n\n", from);
            if (from != std::string::npos) outcome.log = log->second.substr(from, to - from);
        }
        return outcome;
    }

    // The keys and values below the zone map's Domains or Ranges key.
    std::vector<std::string> zoneMapBelow(const std::string& part) {
        std::vector<std::string> lines;
        listZoneKeys(registry, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\" + part, "",
                     lines);
        return lines;
    }

    MemoryRegistryService registry;
    ProgressTexts progress;

private:
    // Removing an observer joins the engine's worker.
    static void waitForWorker(TamblixEngineImpl& engine) {
        struct None : Observer {
            void onNotify(Observable*) override {}
        } none;
        engine.removeObserver(&none);
    }
};

}  // namespace zone_testing
