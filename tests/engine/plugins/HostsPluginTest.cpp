// The HOSTS plugin over memory peers: its definitions, where it finds the file,
// the suggestions of a scan and the file a fix writes.
#include <gtest/gtest.h>

#include "engine/plugins/HostsRecords.h"
#include "platform/file/FileExceptions.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/xml/XmlExceptions.h"
#include "tests/engine/plugins/HostsFixture.h"

namespace com::quorvex::products::tamblix::hosts_testing {
namespace {

// A record as "remove a 1.2.3.4 [1.2.3.4 a] | info | on".
std::string render(const HostsModification& r) {
    return std::string(r.action == HostsModification::ACTION_ADD ? "add " : "remove ") + r.entry.host + " " +
           r.entry.address + " [" + r.entry.line + "] | " + r.description + " | " + (r.state.selected ? "on" : "off");
}

std::vector<std::string> render(const std::vector<HostsModification>& records) {
    std::vector<std::string> lines;
    for (const HostsModification& r : records) lines.push_back(render(r));
    return lines;
}

using HostsDefinitions = HostsFixture;

TEST_F(HostsDefinitions, ALaterHostReplacesAnEarlierOneAndTheDefaultInfoNamesTheHost) {
    load("<host block=\"true\">ads.example.com</host><host block=\"false\" recommend=\"1\">a&amp;b</host>");
    load("<host block=\"false\" info=\"&lt;b&gt;Unblock&lt;/b&gt;\">ads.example.com</host><host block=\"TRUE\">Ads.Example.com</host>");
    setFile("1.2.3.4 ads.example.com\r\n5.6.7.8 a&b\r\n");
    scan();
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Scanning the HOSTS file"});
    EXPECT_EQ(render(results.hostsChanges),
              (std::vector<std::string>{
                  "add Ads.Example.com 127.0.0.1 [127.0.0.1       Ads.Example.com] | Blocks Ads.Example.com | off",
                  "remove a&b 5.6.7.8 [5.6.7.8 a&b] | Unblocks a&amp;b | on",
                  "remove ads.example.com 1.2.3.4 [1.2.3.4 ads.example.com] | <b>Unblock</b> | off",
              }));
}

TEST_F(HostsDefinitions, AHostWithoutItsBlockFlagFailsAndAddsNothing) {
    for (const char* bad : {"<host>x.org</host>", "<host block=\"yes\">x.org</host>",
                            "<host block=\"true\" recommend=\"maybe\">x.org</host>"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(load(std::string("<host block=\"true\">first.org</host>") + bad),
                     windows::com::xml::XMLException);
        EXPECT_FALSE(plugin.hasDefinitions());
    }
    load("<host block=\"1\">x.org</host>");
    EXPECT_TRUE(plugin.hasDefinitions());
    plugin.clearDefinitions();
    EXPECT_FALSE(plugin.hasDefinitions());
}

TEST_F(HostsDefinitions, WithoutDefinitionsTheFileIsNotReadAndTheFixSaysNothing) {
    setFile("1.2.3.4 x\n1.2.3.4 x\n");
    scan();
    EXPECT_TRUE(results.hostsChanges.empty());
    EXPECT_TRUE(progress.texts.empty());
    EXPECT_EQ(fix(), "");
    EXPECT_TRUE(files.fileQuestions.empty());
}

// ---- where the file is

using HostsLocation = HostsFixture;

TEST_F(HostsLocation, TheFolderComesFromTheTcpipParametersElseFromTheSystemFolders) {
    struct Case {
        const char* valueLines;
        platform::file::SystemVersion version;
        const char* path;
    };
    const platform::file::SystemVersion nt{platform::file::VER_PLATFORM_WIN32_NT, 10, 0};
    const Case cases[] = {
        {"\"DataBasePath\"=\"D:\\\\net\\\\etc\"\n", nt, "D:\\net\\etc\\HOSTS"},
        {"\"DataBasePath\"=\"D:\\\\net\\\\etc\\\\\"\n", nt, "D:\\net\\etc\\HOSTS"},
        {"\"Other\"=\"x\"\n", nt, "C:\\windows\\system32\\DRIVERS\\ETC\\HOSTS"},
        {"\"Other\"=\"x\"\n", {platform::file::VER_PLATFORM_WIN32_WINDOWS, 4, 10}, "C:\\windows\\HOSTS"},
        {"\"Other\"=\"x\"\n", {platform::file::VER_PLATFORM_WIN32_WINDOWS, 4, 90}, "C:\\windows\\HOSTS"},
        {"\"Other\"=\"x\"\n", {platform::file::VER_PLATFORM_WIN32_WINDOWS, 5, 0},
         "C:\\windows\\system32\\DRIVERS\\ETC\\HOSTS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        nameFolder(c.valueLines);
        files.version = c.version;
        EXPECT_EQ(locateHostsFile(registry, files), c.path);
    }
    registry.importHive(windows::registry::tree::HiveId::MACHINE, registry_test::header());
    EXPECT_EQ(locateHostsFile(registry, files), "C:\\windows\\system32\\DRIVERS\\ETC\\HOSTS");
}

TEST_F(HostsLocation, ARefusedParametersKeyEndsTheScan) {
    load("<host block=\"true\">x.org</host>");
    nameFolder("\"DataBasePath\"=dword:00000001\n");
    EXPECT_THROW(scan(), windows::registry::RegistryUnexpectedTypeException);
    registry.denyAccess(windows::registry::ROOT_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Tcpip\\Parameters");
    EXPECT_THROW(scan(), windows::registry::RegistryAccessDeniedException);
}

TEST_F(HostsLocation, TheFileIsFoundWhateverTheLetterCaseOfItsName) {
    files.files.clear();
    files.addFile("C:\\Windows\\System32\\drivers\\etc\\hosts", "1.2.3.4 x.org\n");
    load("<host block=\"true\">x.org</host>");
    scan();
    ASSERT_EQ(results.hostsChanges.size(), 2u);
    selectAll(true);
    fix();
    ASSERT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files.begin()->first, "C:\\Windows\\System32\\drivers\\etc\\hosts");
    EXPECT_EQ(files.files.begin()->second, "127.0.0.1       x.org\r\n");
}

// ---- the scan's decision

TEST_F(HostsFixture, TheScanSuggestsWhatEachDefinitionAndTheFileAskFor) {
    struct Case {
        const char* name;
        const char* file;
        const char* hosts;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"found, not blocked: removed as recommended", "# top\n10.0.0.1 x.org alias\n",
         "<host block=\"false\" recommend=\"true\">x.org</host><host block=\"false\">y.org</host>",
         {"remove x.org 10.0.0.1 [10.0.0.1 x.org alias] | Unblocks x.org | on"}},
        {"found, blocked elsewhere: removed, and added as recommended", "0.0.0.0\tx.org\n",
         "<host block=\"true\">x.org</host>",
         {"remove x.org 0.0.0.0 [0.0.0.0\tx.org] | Blocks x.org | on",
          "add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | off"}},
        {"found, blocked to 127.0.0.1: nothing", "127.0.0.1 x.org\n", "<host block=\"true\">x.org</host>", {}},
        {"found at 127.000.0.1: not the same text", "127.000.0.1 x.org\n",
         "<host block=\"true\" recommend=\"true\">x.org</host>",
         {"remove x.org 127.000.0.1 [127.000.0.1 x.org] | Blocks x.org | on",
          "add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | on"}},
        {"not found, blocked: added", "# nothing\n", "<host block=\"true\" recommend=\"true\">x.org</host>",
         {"add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | on"}},
        {"not found, not blocked: nothing", "1.2.3.4 y.org\n", "<host block=\"false\">x.org</host>", {}},
        {"an alias is not a mapping of its own", "127.0.0.1 a.org x.org\n", "<host block=\"false\">x.org</host>",
         {}},
        {"invalid lines map nothing", "999.1.1.1 x.org\n01a.2.3.4 x.org\n", "<host block=\"true\">x.org</host>",
         {"add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | off"}},
        {"letter case tells hosts apart", "1.2.3.4 X.org\n", "<host block=\"false\">x.org</host>", {}},
        {"duplicates first, the first mapping decides", "1.2.3.4 x.org\n127.0.0.1 x.org\n1.2.3.4 x.org\n",
         "<host block=\"true\">x.org</host>",
         {"remove x.org 127.0.0.1 [127.0.0.1 x.org] | Duplicate entry | on",
          "remove x.org 1.2.3.4 [1.2.3.4 x.org] | Duplicate entry | on",
          "remove x.org 1.2.3.4 [1.2.3.4 x.org] | Blocks x.org | on",
          "add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | off"}},
        {"definitions in name order", "",
         "<host block=\"true\">b.org</host><host block=\"true\">a.org</host><host block=\"true\">B.org</host>",
         {"add B.org 127.0.0.1 [127.0.0.1       B.org] | Blocks B.org | off",
          "add a.org 127.0.0.1 [127.0.0.1       a.org] | Blocks a.org | off",
          "add b.org 127.0.0.1 [127.0.0.1       b.org] | Blocks b.org | off"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plugin.clearDefinitions();
        results = {};
        setFile(c.file);
        load(c.hosts);
        scan();
        EXPECT_EQ(render(results.hostsChanges), c.records);
    }
}

TEST_F(HostsFixture, TheAddedRedirectionOfAHostMappedElsewhereKeepsTheFilesHostAndTakesTheNewAddress) {
    setFile("10.1.2.3 x.org\n");
    load("<host block=\"true\">x.org</host>");
    scan();
    ASSERT_EQ(results.hostsChanges.size(), 2u);
    const HostsEntry& added = results.hostsChanges[1].entry;
    EXPECT_EQ(added.kind, HostsEntry::MAPPING);
    EXPECT_EQ(added.octets, (std::array<std::uint8_t, 4>{127, 0, 0, 1}));
    EXPECT_NE(results.hostsChanges[0].state.id, results.hostsChanges[1].state.id);
}

// ---- what a fix writes

TEST_F(HostsFixture, AFixWritesEveryLineBackWithCarriageReturnsAndLineFeeds) {
    struct Case {
        const char* name;
        std::string file;
        std::string written;
    };
    const std::string add = "127.0.0.1       x.org\r\n";
    const Case cases[] = {
        {"LF only", "# a\n\n1.2.3.4 y.org\n", "# a\r\n\r\n1.2.3.4 y.org\r\n" + add},
        {"CR only", "# a\r\r1.2.3.4 y.org\r", "# a\r\n\r\n1.2.3.4 y.org\r\n" + add},
        {"mixed", "# a\r\n\r1.2.3.4 y.org\n", "# a\r\n\r\n1.2.3.4 y.org\r\n" + add},
        {"no final line break", "# a\r\n999.1.1.1 y.org", "# a\r\n999.1.1.1 y.org\r\n" + add},
        {"0 bytes inside", std::string("# a\0b\r\n1.2.\0003.4 y.org\0\r\n", 24), "# ab\r\n1.2.3.4 y.org\r\n" + add},
        {"blanks and tabs kept", "  \t\n\t# c\n", "  \t\r\n\t# c\r\n" + add},
        {"empty", "", add},
    };
    load("<host block=\"true\" recommend=\"true\">x.org</host>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        results = {};
        setFile(c.file);
        scan();
        EXPECT_EQ(fix(), "HOSTS file modifications\n------------------------\n"
                         "Redirection from 'x.org' to '127.0.0.1' added\n\n");
        EXPECT_EQ(file(), c.written);
        ASSERT_EQ(results.hostsChanges.size(), 1u);
        EXPECT_TRUE(results.hostsChanges[0].state.applied);
    }
}

TEST_F(HostsFixture, NothingTickedLeavesTheFileByteForByteAsItWas) {
    const std::string bytes("# a\n1.2.3.4 x.org\r1.2.3.4 x.org", 31);
    setFile(bytes);
    load("<host block=\"true\" recommend=\"true\">x.org</host><host block=\"true\">new.org</host>");
    scan();
    ASSERT_EQ(results.hostsChanges.size(), 4u);
    selectAll(false);
    files.fileQuestions.clear();
    EXPECT_EQ(fix(), "No HOSTS file changes made\n\n");
    EXPECT_EQ(file(), bytes);
    EXPECT_TRUE(files.fileQuestions.empty());
    for (const HostsModification& r : results.hostsChanges) EXPECT_FALSE(r.state.applied);
}

TEST_F(HostsFixture, TheFixReadsTheFileAgainSoLinesWrittenSinceTheScanStay) {
    setFile("# mine\n1.2.3.4 x.org\n1.2.3.4 x.org\n5.6.7.8 gone.org\n");
    load("<host block=\"true\" recommend=\"true\">x.org</host><host block=\"false\" recommend=\"true\">gone.org</host>");
    scan();
    ASSERT_EQ(render(results.hostsChanges),
              (std::vector<std::string>{"remove x.org 1.2.3.4 [1.2.3.4 x.org] | Duplicate entry | on",
                                        "remove gone.org 5.6.7.8 [5.6.7.8 gone.org] | Unblocks gone.org | on",
                                        "remove x.org 1.2.3.4 [1.2.3.4 x.org] | Blocks x.org | on",
                                        "add x.org 127.0.0.1 [127.0.0.1       x.org] | Blocks x.org | on"}));
    // Another program adds a line and takes one out before the fix.
    setFile("# mine\n1.2.3.4 x.org\n1.2.3.4 x.org\n10.9.8.7 other.org\n");
    EXPECT_EQ(fix(), "HOSTS file modifications\n------------------------\n"
                     "Redirection from 'x.org' to '1.2.3.4' removed\n"
                     "Redirection from 'x.org' to '1.2.3.4' removed\n"
                     "Redirection from 'x.org' to '127.0.0.1' added\n\n");
    EXPECT_EQ(file(), "# mine\r\n10.9.8.7 other.org\r\n127.0.0.1       x.org\r\n");
    const bool applied[] = {true, false, true, true};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(results.hostsChanges[i].state.applied, applied[i]) << i;
    // Applied records are never carried out again.
    EXPECT_EQ(fix(), "No HOSTS file changes made\n\n");
}

TEST_F(HostsFixture, AFailedSaveLeavesTheOldFileAndTheRecordsUnapplied) {
    setFile("1.2.3.4 x.org\n");
    load("<host block=\"true\" recommend=\"true\">x.org</host>");
    scan();
    files.failWrites = true;
    EXPECT_EQ(fix(), "");
    EXPECT_EQ(file(), "1.2.3.4 x.org\n");
    ASSERT_EQ(results.fixProblems.size(), 1u);
    EXPECT_NE(results.fixProblems[0].find(HOSTS_PATH), std::string::npos) << results.fixProblems[0];
    for (const HostsModification& r : results.hostsChanges) EXPECT_FALSE(r.state.applied);
}

TEST_F(HostsFixture, AMissingFileIsEmptyAndAnAdditionCreatesIt) {
    files.files.clear();
    load("<host block=\"true\" recommend=\"true\">x.org</host>");
    scan();
    ASSERT_EQ(results.hostsChanges.size(), 1u);
    fix();
    EXPECT_EQ(file(), "127.0.0.1       x.org\r\n");
}

// ---- the fix's plan on its own

TEST(HostsFixPlan, ARemovalTakesTheFirstEqualLineLeftAndAnAdditionAppends) {
    HostsFile file(*std::make_unique<platform::file::memory::MemoryFileSystem>());
    const std::string text = "1.2.3.4 a\n# c\n1.2.3.4 a\n1.2.3.4 a\n1.2.3.4  a\n";
    file.loadBytes(std::vector<char>(text.begin(), text.end()));
    std::vector<HostsModification> records(5);
    for (HostsModification& r : records) {
        r.action = HostsModification::ACTION_REMOVE;
        r.entry = file.getLines()[0];
        r.state.selected = true;
    }
    records[1].state.selected = false;
    records[3].action = HostsModification::ACTION_ADD;
    records[3].entry = blockedEntry("b");
    records[4].entry = blockedEntry("b");
    const HostsFixPlan plan = planHostsFix(file.getLines(), records);
    std::vector<std::string> lines;
    for (const HostsEntry& e : plan.lines) lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<std::string>{"# c", "1.2.3.4 a", "1.2.3.4  a"}));
    EXPECT_EQ(plan.carriedOut, (std::vector<HostsModification*>{&records[0], &records[2], &records[3], &records[4]}));
}

}  // namespace
}  // namespace com::quorvex::products::tamblix::hosts_testing
