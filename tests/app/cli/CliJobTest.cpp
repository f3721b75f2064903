#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli/CliJob.h"
#include "app/cli/EngineDriver.h"
#include "platform/failure/Assertion.h"
#include "engine/TamblixEngineImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "tests/app/JsonValue.h"
#include "tests/app/cli/OfferingPlugin.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace {

using namespace cli_testing;
using namespace com::quorvex::products::tamblix::cli;
using testing_support::JsonValue;
using testing_support::parseJson;

// An engine over one offering plugin (made on first use, from the configuration
// in plugin), driven as tamblix-cli drives it. Its fix log goes to a scratch
// demo prefix.
class CliHarness {
public:
    TamblixEngineImpl& engine() {
        if (!_engine) {
            tools::writeDemoPrefix(prefixFolder(), "demo");
            _files = std::make_unique<platform::prefix::PrefixFileServices>(platform::prefix::WinePrefix(prefixFolder()));
            peers.services.writer = _files->fileWriter();
            peers.services.dirCreator = _files->directoryCreator();
            peers.services.folders = _files->folders();
            peers.ticks.now = 50000;
            std::vector<std::unique_ptr<Plugin>> plugins;
            auto owned = std::make_unique<OfferingPlugin>();
            owned->registry = plugin.registry;
            owned->hosts = plugin.hosts;
            owned->files = plugin.files;
            owned->scanProblems = plugin.scanProblems;
            owned->progressText = plugin.progressText;
            owned->scanFailure = plugin.scanFailure;
            owned->fixProblem = plugin.fixProblem;
            owned->waitForCancel = plugin.waitForCancel;
            owned->failCheck = plugin.failCheck;
            owned->afterProgress = plugin.afterProgress;
            live = owned.get();
            plugins.push_back(std::move(owned));
            _engine = std::make_unique<TamblixEngineImpl>(peers.services, std::move(plugins));
        }
        return *_engine;
    }
    int run(const std::vector<std::string>& arguments) {
        output.str("");
        progress.str("");
        EngineDriver driver(engine(), &progress);
        return runCommand(engine(), driver, parseOptions(arguments), output);
    }
    JsonValue json() { return parseJson(output.str()); }
    std::filesystem::path prefixFolder() const { return _scratch.path() / "prefix"; }

    OfferingPlugin plugin;  // the configuration; live is the engine's copy
    OfferingPlugin* live = nullptr;
    engine_testing::TestServices peers;
    std::ostringstream output;
    std::ostringstream progress;

private:
    testing_support::TempDir _scratch;
    std::unique_ptr<platform::prefix::PrefixFileServices> _files;
    std::unique_ptr<TamblixEngineImpl> _engine;
};

class CliJobTest : public ::testing::Test, public CliHarness {};

TEST_F(CliJobTest, ExitCodesOfScanAndFix) {
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        bool offers;
        std::string scanFailure;
        std::string fixProblem;
        int exitCode;
        std::string state;
    };
    const Case cases[] = {
        {"scan, nothing found", {"scan", "--json"}, false, "", "", 0, "scan-finished"},
        {"scan, suggestions found", {"scan", "--json"}, true, "", "", 1, "scan-finished"},
        {"fix, nothing found: no fix runs", {"fix", "--json"}, false, "", "", 0, "scan-finished"},
        {"fix of the recommended ones", {"fix", "--json"}, true, "", "", 1, "fix-finished"},
        {"scan fails", {"scan", "--json"}, true, "the zone map is gone", "", 2, "scan-failed"},
        {"fix with a problem", {"fix", "--json"}, true, "", "The HOSTS file could not be saved.", 2, "fix-finished"},
        {"an unknown id", {"fix", "--select", "999999", "--json"}, true, "", "", 2, "scan-finished"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CliHarness fresh;
        if (c.offers) fresh.plugin.hosts = {hostsRecord("ads.example.com", true)};
        fresh.plugin.scanFailure = c.scanFailure;
        fresh.plugin.fixProblem = c.fixProblem;
        EXPECT_EQ(fresh.run(c.arguments), c.exitCode);
        const JsonValue report = fresh.json();
        EXPECT_EQ(report["state"].text, c.state);
        if (!c.scanFailure.empty()) {
            EXPECT_EQ(report["error"].text, "Exception: " + c.scanFailure);
        }
        if (!c.fixProblem.empty()) {
            EXPECT_EQ(report["fixProblems"][0].text, c.fixProblem);
            EXPECT_EQ(report["error"].text, "Some modifications could not be made.");
        }
        if (c.state == "fix-finished") {
            EXPECT_TRUE(report["hosts"][0]["applied"].boolean);
            // The log the engine wrote, named in the report.
            ASSERT_EQ(report["logFile"].kind, JsonValue::STRING);
            EXPECT_NE(report["logFile"].text.find("Logs\\"), std::string::npos) << report["logFile"].text;
        } else {
            EXPECT_EQ(report["logFile"].kind, JsonValue::NUL);
        }
        if (c.exitCode == 2 && c.state == "scan-finished") {
            EXPECT_EQ(report["error"].text, "There is no suggestion with the id 999999.");
            EXPECT_FALSE(report["hosts"][0]["applied"].boolean);
        }
    }
}

TEST_F(CliJobTest, SelectionDecidesWhatTheFixApplies) {
    struct Case {
        const char* select;
        std::vector<bool> applied;  // per hosts record
    };
    const Case cases[] = {
        {"recommended", {true, false, true}},
        {"none", {false, false, false}},
        {"all", {true, true, true}},
        {"second", {false, true, false}},
        {"first,third", {true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.select);
        CliHarness fresh;
        fresh.plugin.hosts = {hostsRecord("a.example", true), hostsRecord("b.example", false),
                              hostsRecord("c.example", true)};
        const auto& ids = fresh.plugin.hosts;
        std::string select = c.select;
        if (select == "second") select = ids[1].state.id;
        if (select == "first,third") select = ids[0].state.id + "," + ids[2].state.id;
        EXPECT_EQ(fresh.run({"fix", "--select", select, "--json"}), 1);
        const JsonValue report = fresh.json();
        ASSERT_EQ(report["hosts"].items.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(report["hosts"][i]["applied"].boolean, c.applied[i]) << i;
            EXPECT_EQ(report["hosts"][i]["selected"].boolean, c.applied[i]) << i;
        }
    }
}

TEST_F(CliJobTest, TheReportListsEveryRecordAndGroupsRegistryRuns) {
    plugin.registry = {registryRecord("Software\\Zones\\a", "domaingroup0", true),
                       registryRecord("Software\\Zones\\a\\b", "domaingroup0", true),
                       registryRecord("Software\\Zones\\c", "domaingroup1", false)};
    plugin.registry[2].action = RegistryModification::REMOVE_SUBKEY;
    plugin.hosts = {hostsRecord("ads.example.com", false)};
    plugin.hosts[0].description = "Says \"blocked\"\nthen <b>more</b>";
    plugin.files = {fileRecord("C:\\Downloads\\setup.zip", true)};
    plugin.files[0].innerName = "dialer.exe";
    plugin.files[0].variant = true;
    plugin.scanProblems = {"HKEY_CURRENT_USER\\Software\\X: access denied"};
    const std::string firstGroupId = plugin.registry[0].state.id;
    const std::string secondRecordId = plugin.registry[1].state.id;

    // Selecting a run by its id selects all of its records.
    EXPECT_EQ(run({"scan", "--select", firstGroupId, "--json"}), 1);
    const JsonValue report = json();
    EXPECT_EQ(report["suggestions"].number, 4);
    const JsonValue& first = report["registry"][0];
    EXPECT_EQ(first.memberOrder, (std::vector<std::string>{"id", "group", "selected", "applied", "action", "key",
                                                            "valueName", "data", "description", "text"}));
    EXPECT_EQ(first["id"].text, firstGroupId);
    EXPECT_EQ(first["group"].text, "domaingroup0");
    EXPECT_TRUE(first["selected"].boolean);
    EXPECT_EQ(first["action"].text, "Add value");
    EXPECT_EQ(first["key"].text, "HKEY_CURRENT_USER\\Software\\Zones\\a");
    EXPECT_EQ(first["valueName"].text, "*");
    EXPECT_EQ(first["data"]["type"].text, "dword");
    EXPECT_EQ(first["data"]["number"].number, 4);
    EXPECT_TRUE(report["registry"][1]["selected"].boolean);
    EXPECT_FALSE(report["registry"][2]["selected"].boolean);
    EXPECT_EQ(report["registry"][2]["action"].text, "Remove subkey");
    EXPECT_EQ(report["hosts"][0]["description"].text, "Says \"blocked\"\nthen <b>more</b>");
    EXPECT_EQ(report["hosts"][0]["text"].text, "Says \"blocked\" then more");
    EXPECT_EQ(report["hosts"][0]["action"].text, "add redirection");
    EXPECT_FALSE(report["hosts"][0]["selected"].boolean);
    EXPECT_EQ(report["files"][0]["innerName"].text, "dialer.exe");
    EXPECT_TRUE(report["files"][0]["variant"].boolean);
    EXPECT_FALSE(report["files"][0]["selected"].boolean);
    EXPECT_EQ(report["scanProblems"][0].text, "HKEY_CURRENT_USER\\Software\\X: access denied");

    // An id inside a run is not a suggestion of its own.
    CliHarness fresh;
    fresh.plugin.registry = plugin.registry;
    EXPECT_EQ(fresh.run({"scan", "--select", secondRecordId}), 2);
    EXPECT_NE(fresh.output.str().find("There is no suggestion with the id " + secondRecordId + "."),
              std::string::npos);
}

TEST_F(CliJobTest, TheTextReportShowsRunsAsOneSuggestion) {
    plugin.registry = {registryRecord("Software\\Zones\\a", "g", true), registryRecord("Software\\Zones\\a\\b", "g", true)};
    plugin.hosts = {hostsRecord("ads.example.com", false)};
    EXPECT_EQ(run({"scan"}), 1);
    const std::string id = plugin.registry[0].state.id;
    const std::string hostsId = plugin.hosts[0].state.id;
    EXPECT_EQ(output.str(), " , definitions 0 of \nState: scan-finished; 2 suggestions\n"
                            "Registry:\n"
                            "  [x] " + id + "  Restricts Software\\Zones\\a\n"
                            "      Add value: HKEY_CURRENT_USER\\Software\\Zones\\a value \"*\" = dword:4\n"
                            "      Add value: HKEY_CURRENT_USER\\Software\\Zones\\a\\b value \"*\" = dword:4\n"
                            "HOSTS:\n"
                            "  [ ] " + hostsId + "  add redirection: ads.example.com -> 127.0.0.1  Blocks ads.example.com\n");
}

TEST_F(CliJobTest, DescriptionsAreTextOnTheTerminalAndBothInTheJson) {
    plugin.registry = {registryRecord("Software\\Tool", "g", true)};
    plugin.registry[0].description =
        "<p class=\"x\">The value <b>Path</b> of <b>HKEY_CURRENT_USER\\Software\\R&amp;D</b></p>\r\n"
        "<p>points to &quot;C:\\R&eacute;sum&#233;.txt&quot;,<br/>which is&nbsp;gone "
        "&lt;!&gt; &copy; &#x2014; &bogus;</p>";
    plugin.hosts = {hostsRecord("ads.example.com", false)};
    plugin.hosts[0].description = "<script>alert(1)</script>Blocks\t<i>ads</i><!-- a <b>note</b> -->";
    plugin.files = {fileRecord("C:\\setup.exe", false)};
    plugin.files[0].description = "Unwanted <a href='x>y'>adware</a>";
    const std::string registryText =
        "The value Path of HKEY_CURRENT_USER\\Software\\R&D points to \"C:\\R\xc3\xa9sum\xc3\xa9.txt\", which is"
        "\xc2\xa0gone <!> \xc2\xa9 \xe2\x80\x94 &bogus;";

    EXPECT_EQ(run({"scan"}), 1);
    const std::string listing = output.str();
    EXPECT_NE(listing.find("  " + registryText + "\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("127.0.0.1  Blocks ads\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("Delete: C:\\setup.exe  Unwanted adware\n"), std::string::npos) << listing;

    EXPECT_EQ(run({"scan", "--json"}), 1);
    const JsonValue report = json();
    EXPECT_EQ(report["registry"][0]["description"].text, plugin.registry[0].description);
    EXPECT_EQ(report["registry"][0]["text"].text, registryText);
    EXPECT_EQ(report["hosts"][0]["text"].text, "Blocks ads");
    EXPECT_EQ(report["files"][0].memberOrder.back(), "text");
    EXPECT_EQ(report["files"][0]["text"].text, "Unwanted adware");
}

TEST_F(CliJobTest, MachineTextsCannotSteerTheTerminal) {
    using namespace std::string_literals;
    plugin.registry = {registryRecord("Software\\\x1b]0;owned\x07Tool", "g", true)};
    plugin.registry[0].valueName = "a\rb";
    plugin.registry[0].data.type = ModificationValue::TYPE_STRING;
    plugin.registry[0].data.text = "one\0two\n\xc2\x9b" "2J \xff"s;
    plugin.scanProblems = {"Error when reading a registry key.\n\nSystem error message: \x1b[31mdenied\r\n"};

    EXPECT_EQ(run({"scan"}), 1);
    const std::string listing = output.str();
    EXPECT_NE(listing.find("Add value: HKEY_CURRENT_USER\\Software\\\\x1B]0;owned\\x07Tool value \"a\\x0Db\" = "
                           "\"one\\x00two\\x0A\\x9B2J \\xFF\"\n"),
              std::string::npos)
        << listing;
    // A problem keeps its lines.
    EXPECT_NE(listing.find("  Error when reading a registry key.\n\nSystem error message: \\x1B[31mdenied\n"),
              std::string::npos)
        << listing;
    EXPECT_EQ(listing.find('\x1b'), std::string::npos);
    EXPECT_EQ(listing.find('\r'), std::string::npos);
}

// Sends assertion reports where a run's options say, and back to standard output after.
class RoutedReports {
public:
    explicit RoutedReports(const std::vector<std::string>& arguments) {
        routeAssertionReports(parseOptions(arguments));
    }
    ~RoutedReports() { setAssertionConsole(AssertionConsole::STANDARD_OUTPUT); }
};

TEST_F(CliJobTest, AssertionReportsStayOutOfTheJson) {
    plugin.hosts = {hostsRecord("ads.example.com", true)};
    plugin.failCheck = true;
    for (const bool asJson : {true, false}) {
        SCOPED_TRACE(asJson ? "--json" : "text");
        const std::vector<std::string> arguments =
            asJson ? std::vector<std::string>{"scan", "--json"} : std::vector<std::string>{"scan"};
        const RoutedReports routed(arguments);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int exitCode = run(arguments);
        const std::string standardOutput = testing::internal::GetCapturedStdout();
        const std::string standardError = testing::internal::GetCapturedStderr();
        EXPECT_EQ(exitCode, 1);
        const std::string report = "Assertion failed. Message: !failCheck\n";
        if (asJson) {
            EXPECT_EQ(standardOutput, "");
            EXPECT_NE(standardError.find(report), std::string::npos) << standardError;
            EXPECT_EQ(json()["hosts"][0]["host"].text, "ads.example.com");
        } else {
            // Without --json the report goes where it always goes.
            EXPECT_NE(standardOutput.find(report), std::string::npos) << standardOutput;
            EXPECT_EQ(standardError.find(report), std::string::npos) << standardError;
        }
    }
}

// A progress stream that tells when a text has been written to it.
class WatchedBuffer : public std::stringbuf {
public:
    void waitFor(const std::string& text) {
        std::unique_lock<std::mutex> hold(_lock);
        _changed.wait(hold, [&] { return _written.find(text) != std::string::npos; });
    }

protected:
    int sync() override {
        std::lock_guard<std::mutex> hold(_lock);
        _written = str();
        _changed.notify_all();
        return 0;
    }

private:
    std::mutex _lock;
    std::condition_variable _changed;
    std::string _written;
};

TEST_F(CliJobTest, ProgressTextsGoToTheProgressStreamWhileTheScanRuns) {
    WatchedBuffer buffer;
    std::ostream watched(&buffer);
    plugin.progressText = "Scanning the HOSTS file";
    // The scan goes on only once the text was shown.
    plugin.afterProgress = [&] { buffer.waitFor("Scanning the HOSTS file\n"); };
    EngineDriver driver(engine(), &watched);
    EXPECT_EQ(runCommand(engine(), driver, parseOptions({"scan"}), output), 0);
    buffer.waitFor("Scanning...\nScanning the HOSTS file\n");
}

TEST_F(CliJobTest, ACancelStopsTheScanKeepsItsFindingsAndNothingIsFixed) {
    plugin.hosts = {hostsRecord("ads.example.com", true)};
    plugin.files = {fileRecord("C:\\found-before-cancel.exe", true)};
    plugin.waitForCancel = true;
    EngineDriver driver(engine(), &progress);
    std::thread interrupt([&] {
        live->waitUntilScanning();
        driver.requestCancel();
    });
    const int exitCode = runCommand(engine(), driver, parseOptions({"fix", "--json"}), output);
    interrupt.join();
    EXPECT_EQ(exitCode, 2);
    const JsonValue report = json();
    EXPECT_EQ(report["state"].text, "scan-cancelled");
    EXPECT_EQ(report["error"].text, "The scan was cancelled.");
    EXPECT_EQ(report["files"][0]["path"].text, "C:\\found-before-cancel.exe");
    EXPECT_FALSE(report["hosts"][0]["applied"].boolean);
    EXPECT_NE(progress.str().find("Cancelling the scan..."), std::string::npos);
}

TEST_F(CliJobTest, ACancelRequestedBeforeTheScanBeganIsKept) {
    plugin.waitForCancel = true;
    EngineDriver driver(engine(), nullptr);
    driver.requestCancel();
    EXPECT_EQ(runCommand(engine(), driver, parseOptions({"scan", "--json"}), output), 2);
    EXPECT_EQ(json()["state"].text, "scan-cancelled");
    EXPECT_EQ(json()["error"].text, "The scan was cancelled.");
}


TEST_F(CliJobTest, UpdateEndsAndItsExitCodes) {
    struct Case {
        const char* name;
        int result;
        std::function<void()> failure;
        int exitCode;
        std::string state;
        std::string error;
    };
    const Case cases[] = {
        {"nothing newer", TamblixUpdate::NOT_UPDATED, nullptr, 1, "update-finished-not-updated", ""},
        {"cancelled", TamblixUpdate::CANCELLED, nullptr, 2, "update-cancelled", "The update was cancelled."},
        {"failed", 0, [] { throw TamblixUpdateException("Error updating the database.\nno server"); }, 2,
         "update-failed", "Error updating the database.\nno server"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        peers.updater.result = c.result;
        peers.updater.failure = c.failure;
        EXPECT_EQ(run({"update", "--json"}), c.exitCode);
        const JsonValue report = json();
        EXPECT_EQ(report["command"].text, "update");
        EXPECT_EQ(report["state"].text, c.state);
        EXPECT_EQ(report["error"].kind == JsonValue::NUL ? "" : report["error"].text, c.error);
        engine().finish();
    }
}

TEST_F(CliJobTest, ACancelRequestReachesARunningUpdate) {
    peers.updater.waitForCancel = true;
    EngineDriver driver(engine(), &progress);
    std::thread interrupt([&] {
        peers.updater.waitUntilAsked();
        driver.requestCancel();
    });
    EXPECT_EQ(runCommand(engine(), driver, parseOptions({"update", "--json"}), output), 2);
    interrupt.join();
    EXPECT_EQ(json()["state"].text, "update-cancelled");
    EXPECT_NE(progress.str().find("Cancelling the update..."), std::string::npos);
}

TEST(CliUpdateOptions, UpdateTakesNoSelection) {
    EXPECT_EQ(parseOptions({"update", "--json", "--debug"}).command, CliOptions::UPDATE);
    EXPECT_THROW(parseOptions({"update", "--select", "all"}), exceptions::IllegalArgumentException);
}

}  // namespace
