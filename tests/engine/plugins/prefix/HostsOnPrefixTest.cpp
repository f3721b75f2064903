// The HOSTS plugin over the prefix's file layer: the file Wine names in lower
// case is the one read and replaced, and a refused save changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/engine/plugins/HostsFixture.h"
#include "tests/support/PermissionsBind.h"
#include "tests/support/TempDir.h"

namespace com::quorvex::products::tamblix::hosts_testing {
namespace {

namespace fs = std::filesystem;

class HostsOnPrefix : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(prefixFolder.path() / "dosdevices");
        fs::create_directory_symlink("../drive_c", prefixFolder.path() / "dosdevices" / "c:");
        prefixFolder.write("drive_c/windows/system32/drivers/etc/hosts", "127.0.0.1 localhost\n::1 localhost\n");
        registry.importHive(windows::registry::tree::HiveId::MACHINE,
                            registry_test::header() +
                                registry_test::key("System\\\\CurrentControlSet\\\\Services\\\\Tcpip\\\\Parameters",
                                                   "\"DataBasePath\"=\"C:\\\\windows\\\\System32\\\\drivers\\\\etc\"\n"));
        plugin.loadDefinitions(hostsDefinitions("<host block=\"true\" recommend=\"true\">ads.example.com</host>"));
    }

    std::set<std::string> etcNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(etc())) names.insert(entry.path().filename().string());
        return names;
    }
    fs::path etc() const { return prefixFolder.path() / "drive_c/windows/system32/drivers/etc"; }
    std::string fix() {
        std::string section;
        plugin.fix(results, section);
        return section;
    }

    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
    testing_support::TempDir prefixFolder;
    windows::registry::memory::MemoryRegistryService registry;
    platform::prefix::PrefixFileServices files{platform::prefix::WinePrefix(prefixFolder.path())};
    HostsPlugin plugin{registry, files.fileReader(), files.fileWriter(), files.fileExistsQuery(), files.folders()};
    ScanResults results;
    SilentProgress progress;
};

TEST_F(HostsOnPrefix, TheFixReplacesTheLowerCaseHostsFileAndMakesNoSecondOne) {
    plugin.scan(results, &progress);
    ASSERT_EQ(results.hostsChanges.size(), 1u);
    EXPECT_EQ(fix(), "HOSTS file modifications\n------------------------\n"
                     "Redirection from 'ads.example.com' to '127.0.0.1' added\n\n");
    EXPECT_EQ(etcNames(), std::set<std::string>{"hosts"});
    EXPECT_EQ(testing_support::readFile(etc() / "hosts"),
              "127.0.0.1 localhost\r\n::1 localhost\r\n127.0.0.1       ads.example.com\r\n");
}

TEST_F(HostsOnPrefix, ASaveIntoAFolderThatRefusesWritingLeavesTheFileAndTheRecordsAsTheyWere) {
    plugin.scan(results, &progress);
    ASSERT_EQ(results.hostsChanges.size(), 1u);
    fs::permissions(etc(), fs::perms::owner_read | fs::perms::owner_exec);
    {
        const testing_support::PermissionsBind asAnyUser;
        EXPECT_EQ(fix(), "");
    }
    fs::permissions(etc(), fs::perms::owner_all);
    ASSERT_EQ(results.fixProblems.size(), 1u);
    EXPECT_NE(results.fixProblems[0].find("HOSTS"), std::string::npos) << results.fixProblems[0];
    EXPECT_FALSE(results.hostsChanges[0].state.applied);
    EXPECT_EQ(etcNames(), std::set<std::string>{"hosts"});
    EXPECT_EQ(testing_support::readFile(etc() / "hosts"), "127.0.0.1 localhost\n::1 localhost\n");
}

}  // namespace
}  // namespace com::quorvex::products::tamblix::hosts_testing
