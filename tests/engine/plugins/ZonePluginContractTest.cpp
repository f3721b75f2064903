// What the two zone plugins share: their definitions, the operations they leave
// alone, and what a failure outside the registry does to their scan.
#include <gtest/gtest.h>

#include <functional>

#include "engine/plugins/RestrictedDomainPlugin.h"
#include "engine/plugins/RestrictedRangePlugin.h"
#include "platform/xml/XmlExceptions.h"
#include "tests/engine/AssertionLog.h"
#include "tests/engine/plugins/ZoneMapFixture.h"

namespace zone_testing {
namespace {

using windows::registry::RegistryService;

struct Kind {
    const char* name;
    const char* section;  // the element below modifications
    const char* element;
    const char* word;     // in the default info text
    std::function<std::unique_ptr<Plugin>(RegistryService&)> make;
    const char* held;     // an entry the zone map holds
};

const Kind KINDS[] = {
    {"domains", "restricted-domains-plugin", "domain", "domain",
     [](RegistryService& registry) { return std::make_unique<RestrictedDomainPlugin>(registry); }, "held.org"},
    {"ranges", "restricted-ranges-plugin", "range", "range",
     [](RegistryService& registry) { return std::make_unique<RestrictedRangePlugin>(registry); }, "held"},
};

std::string section(const Kind& kind, const std::string& entries) {
    return definitions(std::string("<") + kind.section + ">" + entries + "</" + kind.section + ">");
}

std::string entry(const Kind& kind, const std::string& text, const std::string& attributes) {
    return std::string("<") + kind.element + " " + attributes + ">" + text + "</" + kind.element + ">";
}

class ZonePlugins : public ZoneMap {
protected:
    void SetUp() override {
        useZoneMap(zoneKey("Domains\\held.org", zoneValue("dword:00000002")) +
                   zoneKey("Ranges\\Range1", "\":Range\"=\"held\"\n" + zoneValue("dword:00000002")));
    }
    // The description of each suggestion, in order.
    std::vector<std::string> descriptions(Plugin& plugin) {
        ScanResults results;
        plugin.scan(results, &progress);
        EXPECT_EQ(results.scanProblems, std::vector<std::string>{});
        std::vector<std::string> texts;
        for (const auto& record : results.registryChanges)
            if (texts.empty() || texts.back() != record.description) texts.push_back(record.description);
        return texts;
    }
};

TEST_F(ZonePlugins, ReadTheirEntriesWithDefaultInfoTextsAndLaterEntriesReplacingEarlierOnes) {
    for (const Kind& kind : KINDS) {
        SCOPED_TRACE(kind.name);
        const auto plugin = kind.make(registry);
        EXPECT_FALSE(plugin->hasDefinitions());
        // Another plugin's section and an empty section add nothing.
        plugin->loadDefinitions(definitions("<hosts-block-plugin><host>x</host></hosts-block-plugin>"));
        plugin->loadDefinitions(section(kind, ""));
        EXPECT_FALSE(plugin->hasDefinitions());

        const std::string word = kind.word;
        plugin->loadDefinitions(section(kind, entry(kind, kind.held, "add=\"FALSE\"") +
                                                  entry(kind, "  new&lt;1&gt;&amp;  ", "add=\"TRUE\" recommend=\"true\"") +
                                                  entry(kind, "marked", "add=\"1\" info=\"first\"")));
        plugin->loadDefinitions(section(kind, entry(kind, "marked", "add=\"true\" info=\"&lt;b&gt;Bad&lt;/b&gt; site\"")));
        EXPECT_TRUE(plugin->hasDefinitions());
        // In text order: held, "marked", "new<1>&" (surrounding blanks are not part of the text).
        EXPECT_EQ(descriptions(*plugin),
                  (std::vector<std::string>{"Removes the " + std::string(kind.held) + " " + word + " from the restricted zone", "<b>Bad</b> site",
                                            "Adds the new&lt;1&gt;&amp; " + word + " to the restricted zone"}));
        // The same text in other letters replaces it too, and is kept as it is now written.
        plugin->loadDefinitions(section(kind, entry(kind, "MARKED", "add=\"true\" info=\"capitals\"")));
        EXPECT_EQ(descriptions(*plugin),
                  (std::vector<std::string>{"capitals", "Removes the " + std::string(kind.held) + " " + word + " from the restricted zone",
                                            "Adds the new&lt;1&gt;&amp; " + word + " to the restricted zone"}));

        plugin->clearDefinitions();
        EXPECT_FALSE(plugin->hasDefinitions());
    }
}

TEST_F(ZonePlugins, ABadDocumentFailsWithTheXmlLayersTextAndAddsNothing) {
    struct Case {
        const char* name;
        std::string entries;  // inside the section; empty: not even XML
    };
    for (const Kind& kind : KINDS) {
        const Case cases[] = {
            {"an entry without add", entry(kind, "fine", "add=\"true\"") + entry(kind, "other", "recommend=\"true\"")},
            {"add is no boolean", entry(kind, "fine", "add=\"yes\"")},
            {"recommend is no boolean", entry(kind, "fine", "add=\"true\" recommend=\"maybe\"")},
            {"not XML", ""},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            const auto plugin = kind.make(registry);
            const std::string document = c.entries.empty() ? "<tamblix-definition>" : section(kind, c.entries);
            EXPECT_THROW(plugin->loadDefinitions(document), windows::com::xml::XMLException);
            EXPECT_FALSE(plugin->hasDefinitions());
        }
    }
}

TEST_F(ZonePlugins, LeaveEverythingAloneOutsideTheirScan) {
    for (const Kind& kind : KINDS) {
        SCOPED_TRACE(kind.name);
        const auto plugin = kind.make(registry);
        plugin->loadDefinitions(section(kind, entry(kind, "new.net", "add=\"true\"")));
        ScanResults results;
        plugin->scan(results, &progress);
        ASSERT_FALSE(results.registryChanges.empty());
        const std::vector<std::string> before = render(results.registryChanges);
        std::string log;
        plugin->setCancelled(true);
        plugin->fix(results, log);
        plugin->fixFinished(results);
        std::string message = "%FOUND_ERRORS% in %SCAN_TIME%";
        plugin->expandScanMessage(message);
        EXPECT_EQ(log, "");
        EXPECT_EQ(message, "%FOUND_ERRORS% in %SCAN_TIME%");
        EXPECT_EQ(render(results.registryChanges), before);
        EXPECT_TRUE(results.fixProblems.empty());
        // The cancel flag is not honoured: a scan runs to its end.
        ScanResults again;
        plugin->scan(again, &progress);
        EXPECT_EQ(render(again.registryChanges), before);
    }
}

// A registry whose every call fails with something other than a registry failure.
class BrokenRegistry : public RegistryService {
public:
    std::unique_ptr<windows::registry::RegistryKey> openKey(std::uint32_t, const std::string&, std::uint32_t) override {
        throw exceptions::UnexpectedException("broken");
    }
    std::unique_ptr<windows::registry::RegistryReader> createReader(windows::registry::RegistryKey*) override {
        throw exceptions::UnexpectedException("broken");
    }
    std::unique_ptr<windows::registry::RegistryWriter> createWriter(windows::registry::RegistryKey*) override {
        throw exceptions::UnexpectedException("broken");
    }
};

TEST_F(ZonePlugins, AFailureOutsideTheRegistryIsAnInternalErrorThatEndsOnlyTheirScan) {
    for (const Kind& kind : KINDS) {
        SCOPED_TRACE(kind.name);
        engine_testing::forgetAssertions();
        BrokenRegistry broken;
        const auto plugin = kind.make(broken);
        plugin->loadDefinitions(section(kind, entry(kind, "new.net", "add=\"true\"")));
        ScanResults results;
        EXPECT_NO_THROW(plugin->scan(results, &progress));
        EXPECT_TRUE(results.registryChanges.empty());
        EXPECT_TRUE(results.scanProblems.empty());
        EXPECT_EQ(engine_testing::assertionMessages(), std::vector<std::string>{"false"});
    }
    engine_testing::forgetAssertions();
}

}  // namespace
}  // namespace zone_testing
