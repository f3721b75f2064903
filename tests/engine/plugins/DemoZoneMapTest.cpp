// The demo product's zone-map sections over the zone map of the demo prefix.
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
    const std::string document =
        testing_support::readFile(std::filesystem::path(source) / "tools/demo-prefix/zone-map-definitions.xml");

    windows::registry::RegistryServiceImpl registry{platform::prefix::WinePrefix(prefix)};
    RestrictedDomainPlugin domains(registry);
    RestrictedRangePlugin ranges(registry);
    ProgressTexts progress;
    ScanResults results;
    for (Plugin* plugin : {static_cast<Plugin*>(&domains), static_cast<Plugin*>(&ranges)}) {
        plugin->loadDefinitions(document);
        plugin->scan(results, &progress);
    }
    const std::string cdn = " | domaingroup1 | off | Adds the cdn.badsite.example domain to the restricted zone";
    const std::string malware = " | domaingroup2 | on | Adds the malware.example domain to the restricted zone";
    const std::string newRange = " | rangegroup2 | on | Adds the 198.18.0.* range to the restricted zone";
    EXPECT_EQ(render(results.registryChanges),
              (std::vector<std::string>{
                  "set value Domains\\adserver.example *=dword:4 | domaingroup0 | on | "
                  "Puts the <b>adserver.example</b> advertising server into the restricted zone",
                  "add subkey Domains\\badsite.example" + cdn,
                  "add subkey Domains\\badsite.example\\cdn" + cdn,
                  "set value Domains\\badsite.example\\cdn *=dword:4" + cdn,
                  "add subkey Domains\\malware.example" + malware,
                  "set value Domains\\malware.example *=dword:4" + malware,
                  "remove subkey Domains\\trusted.example | domaingroup5 | off | "
                  "Takes <i>trusted.example</i> out of the zone map: the publisher vouches for it",
                  "remove subkey Domains\\partner.example\\www | domaingroup6 | off | "
                  "Removes the www.partner.example domain from the restricted zone",
                  "remove subkey Ranges\\Range3 | rangegroup1 | off | Removes the 192.0.2.10 range from the restricted zone",
                  "add subkey Ranges\\Range4" + newRange,
                  "set value Ranges\\Range4 :Range=\"198.18.0.*\"" + newRange,
                  "set value Ranges\\Range4 *=dword:4" + newRange,
                  "set value Ranges\\Range1 *=dword:4 | rangegroup4 | on | Adds the 203.0.113.* range to the restricted zone",
              }));
    EXPECT_EQ(results.scanProblems, std::vector<std::string>{});
}

}  // namespace
}  // namespace zone_testing
