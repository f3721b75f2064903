#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/file/FileExceptions.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/engine/AssertionLog.h"
#include "tests/engine/plugins/ScannerFixture.h"

using namespace scanner_testing;
using namespace windows::registry;

namespace {

const std::string VENDOR = keyBlock(R"(Software\\Vendor)",
                                    R"("Gone"="C:\\gone\\app.exe"
"Here"="C:\\Tools\\tool.exe /run"
"C:\\gone\\shared.dll"=dword:00000001
@="c:\\gone\\default.exe"
"Expanded"=str(2):"%SystemRoot%\\gone.exe"
"Kept"=str(2):"%SystemRoot%\\notepad.exe"
"Bin"=hex:43,3a,5c,67,6f,6e,65
"Number"=dword:0000001a
)") + keyBlock(R"(Software\\Vendor\\Child)", R"("Gone"="C:\\gone\\child.exe"
)") + keyBlock(R"(Software\\Vendor\\Denied)", R"("Gone"="C:\\gone\\denied.exe"
)") + keyBlock(R"(Software\\Vendor\\Skip)", R"("Gone"="C:\\gone\\skipped.exe"
)") + keyBlock(R"(Software\\Vendor\\Skip\\Below)", R"("Gone"="C:\\gone\\below.exe"
)") + keyBlock(R"(Software\\Vendor\\Zeta)", R"("Gone"="C:\\gone\\zeta.exe"
)") + keyBlock(R"(Software\\Classes\\CLSID\\{1}\\InprocServer32)", R"(@="C:\\gone\\shell.dll"
)");

const std::string MACHINE = "HKEY_LOCAL_MACHINE";
const std::string VENDOR_KEY = MACHINE + "\\Software\\Vendor";

std::string dataPointing(const std::string& value, const std::string& key, const std::string& file) {
    return "<h3>Registry</h3>Data of <b>" + value + "</b> under <b>" + key + "</b> points to <b>" + file + "</b>";
}

class ScanRegistryWalk : public ScannerTest {
protected:
    void SetUp() override {
        importMachine(VENDOR);
        registry.denyAccess(ROOT_LOCAL_MACHINE, "Software\\Vendor\\Denied");
        scanner.loadDefinitions(definitionsXml(
            scanKey(MACHINE, "Software\\Vendor") + scanKey(MACHINE, "Software\\Absent") +
                scanKey("HKEY_CLASSES_ROOT", "CLSID"),
            "<Keys><Entry key=\"" + VENDOR_KEY + "\\Skip\"/><Entry key=\"" + MACHINE +
                "\\software\\vendor\\zeta\"/></Keys>"));
    }
};

TEST_F(ScanRegistryWalk, ReportsValuesThatNameMissingFilesAsSortedUnselectedRemovals) {
    scan();
    struct Expected {
        std::uint32_t root;
        std::string subkey;
        std::string valueName;
        std::string text;
        std::string description;
    };
    const std::vector<Expected> expected = {
        {ROOT_LOCAL_MACHINE, "Software\\Vendor", "Expanded", "C:\\windows\\gone.exe",
         dataPointing("Expanded", VENDOR_KEY, "C:\\windows\\gone.exe")},
        {ROOT_LOCAL_MACHINE, "Software\\Vendor", "Gone", "C:\\gone\\app.exe",
         dataPointing("Gone", VENDOR_KEY, "C:\\gone\\app.exe")},
        {ROOT_LOCAL_MACHINE, "Software\\Vendor\\Child", "Gone", "C:\\gone\\child.exe",
         dataPointing("Gone", VENDOR_KEY + "\\Child", "C:\\gone\\child.exe")},
        {ROOT_LOCAL_MACHINE, "Software\\Vendor\\Zeta", "Gone", "C:\\gone\\zeta.exe",
         dataPointing("Gone", VENDOR_KEY + "\\Zeta", "C:\\gone\\zeta.exe")},
        {ROOT_CLASSES_ROOT, "CLSID\\{1}\\InprocServer32", "", "C:\\gone\\shell.dll",
         "<h3>Registry</h3>Default of <b>HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32</b> points to "
         "<b>C:\\gone\\shell.dll</b>"},
        {ROOT_LOCAL_MACHINE, "Software\\Vendor", "", "c:\\gone\\default.exe",
         "<h3>Registry</h3>Default of <b>" + VENDOR_KEY + "</b> points to <b>c:\\gone\\default.exe</b>"},
        // A name that is the path: the DWORD's data is never looked at.
        {ROOT_LOCAL_MACHINE, "Software\\Vendor", "C:\\gone\\shared.dll", "",
         "<h3>Registry</h3>Name of a value under <b>" + VENDOR_KEY + "</b> is <b>C:\\gone\\shared.dll</b>"},
    };
    ASSERT_EQ(results.registryChanges.size(), expected.size());
    std::set<std::string> groups;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].description);
        const RegistryModification& record = results.registryChanges[i];
        EXPECT_EQ(record.root, expected[i].root);
        EXPECT_EQ(record.subkey, expected[i].subkey);
        EXPECT_EQ(record.valueName, expected[i].valueName);
        EXPECT_EQ(record.action, RegistryModification::REMOVE_VALUE);
        EXPECT_EQ(record.data.text, expected[i].text);
        EXPECT_EQ(record.description, expected[i].description);
        EXPECT_FALSE(record.state.selected);
        EXPECT_FALSE(record.state.applied);
        groups.insert(record.group);
    }
    EXPECT_EQ(groups.size(), expected.size()) << "every finding is a group of its own";

    ASSERT_EQ(results.scanProblems.size(), 1u);
    EXPECT_EQ(results.scanProblems[0].rfind(
                  "You can probably just ignore this problem. Error when opening a registry key, the key doesn't "
                  "exist. Key: HKEY_LOCAL_MACHINE\\Software\\Absent\n\nSystem error message: ",
                  0),
              0u)
        << results.scanProblems[0];
}

TEST_F(ScanRegistryWalk, WalksSubkeysBeforeValuesAndSkipsWhitelistedAndDeniedKeys) {
    scan();
    // The whitelist compares exactly: the entry in another letter case does not skip Zeta.
    const std::vector<std::string> texts = {
        "Scanning: " + VENDOR_KEY,           "Scanning: " + VENDOR_KEY + "\\Child",
        "Scanning: " + VENDOR_KEY + "\\Zeta", "Scanning: HKEY_CLASSES_ROOT\\CLSID",
        "Scanning: HKEY_CLASSES_ROOT\\CLSID\\{1}", "Scanning: HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32"};
    EXPECT_EQ(progress.texts, texts);
    // In the order found: the children's values before their parent's.
    std::vector<std::string> found;
    for (const RegistryErrorEntry& entry : scanner.getRegistryChanges()) found.push_back(entry.subkey + "|" + entry.valueName);
    const std::vector<std::string> order = {"Software\\Vendor\\Child|Gone",    "Software\\Vendor\\Zeta|Gone",
                                            "Software\\Vendor|Gone",           "Software\\Vendor|C:\\gone\\shared.dll",
                                            "Software\\Vendor|",               "Software\\Vendor|Expanded",
                                            "CLSID\\{1}\\InprocServer32|"};
    EXPECT_EQ(found, order);
    EXPECT_EQ(scanner.getStatistics().keys, 6u);
    EXPECT_EQ(scanner.getStatistics().values, 11u);
}

// What the publisher meant to keep is unknown, so no path is offered; the
// pattern is checked once, when it is loaded, however many paths are looked at.
TEST_F(ScanRegistryWalk, AnInvalidWhitelistPatternIsReportedOnceAndKeepsEveryPath) {
    scanner.clearDefinitions();
    scanner.loadDefinitions(
        definitionsXml(scanKey(MACHINE, "Software\\Vendor"), "<Paths><Entry regExp=\"^c:\\\\temp\"/></Paths>"));
    scan();
    const std::size_t paths = results.registryChanges.size();  // as many as get to the whitelist
    EXPECT_GE(paths, 5u);
    scanner.loadDefinitions(definitionsXml("", "<Paths><Entry regExp=\"(unclosed\"/></Paths>"));
    scan();
    scan();
    EXPECT_TRUE(results.registryChanges.empty());
    EXPECT_TRUE(scanner.getRegistryChanges().empty());
    EXPECT_EQ(engine_testing::assertionMessages(), std::vector<std::string>{"You passed an invalid regular expression."});
    std::ifstream report("assertion.txt");
    const std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("regular expression.\n(unclosed\nFile: "), std::string::npos) << text;
}

TEST_F(ScanRegistryWalk, OverlappingScanKeysReportAValueTwice) {
    scanner.clearDefinitions();
    scanner.loadDefinitions(definitionsXml(scanKey(MACHINE, "Software\\Vendor\\Child") +
                                           scanKey(MACHINE, "Software\\Vendor\\Child")));
    scan();
    ASSERT_EQ(results.registryChanges.size(), 2u);
    EXPECT_EQ(results.registryChanges[0].description, results.registryChanges[1].description);
    EXPECT_NE(results.registryChanges[0].group, results.registryChanges[1].group);
}

TEST_F(ScanRegistryWalk, ACancelStopsAtTheNextKeyAndKeepsWhatWasFound) {
    // The window's thread cancels while the scan stands at Zeta.
    std::promise<void> atZeta;
    std::promise<void> cancelled;
    progress.onText = [&](const std::string& text) {
        if (text != "Scanning: " + VENDOR_KEY + "\\Zeta") return;
        atZeta.set_value();
        cancelled.get_future().wait();
    };
    std::thread window([&] {
        atZeta.get_future().wait();
        scanner.setCancelled(true);
        cancelled.set_value();
    });
    scan();
    window.join();
    // Zeta's values and its parent's were still examined; the next scan key was not walked.
    EXPECT_EQ(progress.texts.back(), "Scanning: " + VENDOR_KEY + "\\Zeta");
    EXPECT_EQ(results.registryChanges.size(), 6u);
    EXPECT_TRUE(results.scanProblems.empty());

    progress.onText = nullptr;
    scanner.setCancelled(false);
    scan();
    EXPECT_EQ(results.registryChanges.size(), 7u);
}

TEST_F(ScanRegistryWalk, AValueTooLongToExpandIsAProblemOfItsOwn) {
    const std::string huge(40000, 'x');
    importUser(keyBlock(R"(Software\\Long)", "\"Huge\"=str(2):\"%SystemRoot%\\\\" + huge + "\"\n" +
                                                 R"("Gone"="C:\\gone\\next.exe"
)"));
    scanner.clearDefinitions();
    scanner.loadDefinitions(definitionsXml(scanKey("HKEY_CURRENT_USER", "Software\\Long")));
    scan();
    ASSERT_EQ(results.registryChanges.size(), 1u);
    EXPECT_EQ(results.registryChanges[0].valueName, "Gone");
    ASSERT_EQ(results.scanProblems.size(), 1u);
    EXPECT_EQ(results.scanProblems[0].rfind("You can probably just ignore this problem. The value "
                                            "'HKEY_CURRENT_USER\\Software\\Long\\Huge' was not examined.\n\n"
                                            "The source buffer is larger(",
                                            0),
              0u)
        << results.scanProblems[0];
}

// Lets every call through to the memory registry except opening one key, which
// throws the given failure.
class FailingRegistry : public RegistryService {
public:
    FailingRegistry(RegistryService& inner, std::string subkey, std::function<void()> failure)
        : _inner(inner), _subkey(std::move(subkey)), _failure(std::move(failure)) {}
    std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& subkey, std::uint32_t access) override {
        if (subkey == _subkey) _failure();
        return _inner.openKey(root, subkey, access);
    }
    std::unique_ptr<RegistryReader> createReader(RegistryKey* key) override { return _inner.createReader(key); }
    std::unique_ptr<RegistryWriter> createWriter(RegistryKey* key) override { return _inner.createWriter(key); }

private:
    RegistryService& _inner;
    std::string _subkey;
    std::function<void()> _failure;
};

TEST_F(ScanRegistryWalk, OtherFailuresEndTheScanWithoutRecords) {
    struct Case {
        const char* note;
        std::function<void()> failure;
        // The text after the scanner's own; empty when nothing is thrown.
        std::string thrown;
    };
    const std::vector<Case> cases = {
        {"a registry failure", [] { throw RegistryException("The registry broke."); }, "The registry broke."},
        {"a file layer failure", [] { throw io::IOException("The disk broke."); }, "The disk broke."},
        {"a failure outside the hierarchy", [] { throw std::runtime_error("odd"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        FailingRegistry failing(registry, "Software\\Vendor\\Zeta", c.failure);
        ScanRegistryForErrorsImpl plugin(failing, writer, files, files, files, logFolder, localTime, ticks);
        plugin.loadDefinitions(definitionsXml(scanKey(MACHINE, "Software\\Vendor")));
        ScanResults scanResults;
        scanResults.scanProblems.push_back("earlier");
        if (!c.thrown.empty()) {
            try {
                plugin.scan(scanResults, &progress);
                ADD_FAILURE() << "no failure";
            } catch (const com::quorvex::products::tamblix::TamblixEngineException& failure) {
                EXPECT_EQ(failure.getMessage(), "An error occured while scanning with the ScanRegistry plugin.\n\n" + c.thrown);
            }
        } else {
            EXPECT_NO_THROW(plugin.scan(scanResults, &progress));
        }
        EXPECT_TRUE(scanResults.registryChanges.empty());
        EXPECT_EQ(scanResults.scanProblems, std::vector<std::string>{"earlier"});
    }
}

TEST_F(ScanRegistryWalk, ScanTimeAndFindingsFillTheScanMessage) {
    struct Case {
        std::uint32_t milliseconds;
        int seconds;
        std::string time;
    };
    const std::vector<Case> cases = {
        {999, 0, "0 seconds"}, {59999, 59, "59 seconds"}, {60000, 60, "1 minutes and 0 seconds"},
        {125500, 125, "2 minutes and 5 seconds"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        // The clock wraps around during the scan.
        ticks.now = 0xFFFFFF00u;
        ticks.step = c.milliseconds;
        scan();
        EXPECT_EQ(scanner.getScanSeconds(), c.seconds);
        std::string text = "Found %FOUND_ERRORS% problems in %SCAN_TIME%; %FOUND_ERRORS% in all.";
        scanner.expandScanMessage(text);
        EXPECT_EQ(text, "Found 7 problems in " + c.time + "; 7 in all.");
    }
}

}  // namespace
