// The demo product's definitions over the zone map of the demo prefix.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/plugins/RestrictedDomainPlugin.h"
#include "engine/plugins/RestrictedRangePlugin.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/engine/plugins/ZoneMapFixture.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace zone_testing {
namespace {

TEST(DemoZoneMap, EveryCaseOfBothPluginsIsMetAndTheChangesAreSuggested) {
    testing_support::TempDir scratch;
    const auto prefix = scratch.path() / "prefix";
    tools::writeDemoPrefix(prefix, "demo");
    const char* source = std::getenv("TAMBLIX_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path demo = std::filesystem::path(source) / "app/demo";

    windows::registry::RegistryServiceImpl registry{platform::prefix::WinePrefix(prefix)};
    RestrictedDomainPlugin domains(registry);
    RestrictedRangePlugin ranges(registry);
    ProgressTexts progress;
    ScanResults results;
    for (Plugin* plugin : {static_cast<Plugin*>(&domains), static_cast<Plugin*>(&ranges)}) {
        // As the engine loads them: the permanent definitions first.
        plugin->loadDefinitions(testing_support::readFile(demo / "permanent-definitions.xml"));
        plugin->loadDefinitions(testing_support::readFile(demo / "definitions.xml"));
        plugin->scan(results, &progress);
    }
    const auto adds = [](const std::string& group, const std::string& selected, const std::string& what) {
        return " | " + group + " | " + selected + " | Adds the " + what + " to the restricted zone";
    };
    const std::string cdn = adds("domaingroup1", "off", "cdn.badsite.example domain");
    const std::string malware = adds("domaingroup2", "on", "malware.example domain");
    const std::string spyware = adds("domaingroup5", "on", "spyware.example.com domain");
    const std::string range4 = adds("rangegroup1", "on", "192.0.2.* range");
    const std::string range5 = adds("rangegroup3", "on", "198.18.0.* range");
    EXPECT_EQ(render(results.registryChanges),
              (std::vector<std::string>{
                  "set value Domains\\adserver.example *=dword:4 | domaingroup0 | on | "
                  "Puts the <b>adserver.example</b> advertising server into the restricted zone",
                  "add subkey Domains\\badsite.example" + cdn,
                  "add subkey Domains\\badsite.example\\cdn" + cdn,
                  "set value Domains\\badsite.example\\cdn *=dword:4" + cdn,
                  "add subkey Domains\\malware.example" + malware,
                  "set value Domains\\malware.example *=dword:4" + malware,
                  "add subkey Domains\\example.com" + spyware,
                  "add subkey Domains\\example.com\\spyware" + spyware,
                  "set value Domains\\example.com\\spyware *=dword:4" + spyware,
                  // Its key also holds a zone for https, which stays.
                  "remove value Domains\\trusted.example *=dword:4 | domaingroup6 | off | "
                  "Takes <i>trusted.example</i> out of the zone map: the publisher vouches for it",
                  "remove subkey Domains\\partner.example\\www | domaingroup7 | off | "
                  "Removes the www.partner.example domain from the restricted zone",
                  "add subkey Ranges\\Range4" + range4,
                  "set value Ranges\\Range4 :Range=\"192.0.2.*\"" + range4,
                  "set value Ranges\\Range4 *=dword:4" + range4,
                  "remove subkey Ranges\\Range3 | rangegroup2 | off | Removes the 192.0.2.10 range from the restricted zone",
                  "add subkey Ranges\\Range5" + range5,
                  "set value Ranges\\Range5 :Range=\"198.18.0.*\"" + range5,
                  "set value Ranges\\Range5 *=dword:4" + range5,
                  "set value Ranges\\Range1 *=dword:4" + adds("rangegroup5", "on", "203.0.113.* range"),
              }));
    EXPECT_EQ(results.scanProblems, std::vector<std::string>{});
}

}  // namespace
}  // namespace zone_testing
