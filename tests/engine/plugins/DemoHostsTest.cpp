// The demo product's HOSTS definitions over the demo prefix's HOSTS file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/engine/plugins/HostsFixture.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace com::quorvex::products::tamblix::hosts_testing {
namespace {

TEST(DemoHosts, EveryRowOfTheScanDecisionAndADuplicateAreMet) {
    testing_support::TempDir scratch;
    const auto prefix = scratch.path() / "prefix";
    tools::writeDemoPrefix(prefix, "demo");
    const char* source = std::getenv("TAMBLIX_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path demo = std::filesystem::path(source) / "app/demo";

    const platform::prefix::WinePrefix wine(prefix);
    windows::registry::RegistryServiceImpl registry{wine};
    const windows::registry::prefix::PrefixRegistryAnswers answers(registry);
    platform::prefix::PrefixFileServices files(wine, &answers);
    HostsPlugin plugin(registry, files.fileReader(), files.fileWriter(), files.fileExistsQuery(), files.folders());
    plugin.loadDefinitions(testing_support::readFile(demo / "permanent-definitions.xml"));
    plugin.loadDefinitions(testing_support::readFile(demo / "definitions.xml"));
    ScanResults results;
    SilentProgress progress;
    plugin.scan(results, &progress);

    std::vector<std::string> records;
    for (const HostsModification& r : results.hostsChanges)
        records.push_back(std::string(r.action == HostsModification::ACTION_ADD ? "add " : "remove ") + r.entry.host +
                          " " + r.entry.address + (r.state.selected ? " on" : " off"));
    EXPECT_EQ(records, (std::vector<std::string>{
                           "remove ads.example.com 127.0.0.1 on",       // the duplicate
                           "add popups.example.org 127.0.0.1 off",      // not found, blocked
                           "add spyware.example.com 127.0.0.1 on",      // not found, blocked
                           "remove tracker.example.net 0.0.0.0 on",     // found, blocked elsewhere
                           "add tracker.example.net 127.0.0.1 on",
                           "remove updates.example.com 10.20.30.40 on", // found, not blocked
                       }));
    // ads.example.com is found and blocked to 127.0.0.1, old.example.net is
    // neither found nor blocked: neither has a suggestion of its own.
}

}  // namespace
}  // namespace com::quorvex::products::tamblix::hosts_testing
