// The HOSTS plugin against a real prefix made by Wine: the file is found where
// the registry value Wine wrote says, and after a fix through the headless
// command line Wine itself reads the new redirections from the one hosts file.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "engine/plugins/HostsFile.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/app/JsonValue.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"
#include "tests/support/WinePrefixTest.h"

namespace com::quorvex::products::tamblix {
namespace {

namespace fs = std::filesystem;

const char* const CLI_DEFINITIONS =
    "<hosts-block-plugin>"
    "<host block=\"true\" recommend=\"true\">ads.example.com</host>"
    "<host block=\"true\" recommend=\"true\">tracker.example.net</host>"
    "<host block=\"false\" recommend=\"true\">cdn.example.org</host>"
    "</hosts-block-plugin>";

class HostsInWine : public testing_support::WinePrefixTest {
protected:
    void SetUp() override {
        WinePrefixTest::SetUp();
        if (IsSkipped()) return;
        testing_support::copyDemoProduct(product, scratch.path() / "demo-prefix");
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

    fs::path etc() const { return prefix / "drive_c/windows/system32/drivers/etc"; }
    static constexpr const char* HOSTS = "prefix/drive_c/windows/system32/drivers/etc/hosts";

    // The names in the folder that Windows would take for "hosts".
    std::vector<std::string> hostsNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(etc())) {
            std::string name = entry.path().filename().string();
            std::string lower = name;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lower == "hosts") names.push_back(name);
        }
        return names;
    }

    fs::path product = scratch.path() / "product";
};

TEST_F(HostsInWine, TheFileIsTheOneTheRegistryValueWineWroteNames) {
    const platform::prefix::WinePrefix wine(prefix);
    windows::registry::RegistryServiceImpl registry{wine};
    const windows::registry::prefix::PrefixRegistryAnswers answers(registry);
    platform::prefix::PrefixFileServices files(wine, &answers);
    const std::string path = locateHostsFile(registry, files.folders());
    // Wine writes "C:\windows\system32\drivers\etc".
    std::string folded = path;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(folded, "c:\\windows\\system32\\drivers\\etc\\hosts") << path;

    scratch.write(HOSTS, "127.0.0.1 localhost\n10.1.1.1 planted.example\n");
    HostsFile file(files.folders());
    file.load(files.fileReader(), files.fileExistsQuery(), registry);
    ASSERT_NE(file.findMapping("planted.example"), nullptr);
    EXPECT_EQ(file.findMapping("planted.example")->address, "10.1.1.1");
}

TEST_F(HostsInWine, AFixThroughTheCommandLineIsWhatWineReadsFromTheOneHostsFile) {
    scratch.write(HOSTS, "# Wine's hosts\n127.0.0.1 localhost\n10.0.0.9 tracker.example.net\n"
                                         "10.0.0.7 cdn.example.org\n::1 localhost\n");
    const testing_support::ProgramResult run = testing_support::runProgram(
        product / "tamblix-cli", {"fix", "--debug", "--select", "recommended", "--json"}, scratch.path(), prefix);
    ASSERT_EQ(run.exitCode, 1) << run.errors;
    const testing_support::JsonValue report = testing_support::parseJson(run.output);
    EXPECT_EQ(report["state"].text, "fix-finished") << report["error"].text;
    EXPECT_EQ(report["fixProblems"].items.size(), 0u);
    std::vector<std::string> records;
    for (const auto& r : report["hosts"].items)
        records.push_back(r["action"].text + " " + r["host"].text + " " + r["address"].text +
                          (r["applied"].boolean ? " applied" : ""));
    EXPECT_EQ(records, (std::vector<std::string>{
                           "add redirection ads.example.com 127.0.0.1 applied",
                           "remove redirection cdn.example.org 10.0.0.7 applied",
                           "remove redirection tracker.example.net 10.0.0.9 applied",
                           "add redirection tracker.example.net 127.0.0.1 applied",
                       }));

    std::string seen;
    ASSERT_EQ(testing_support::runWine(prefix, "cmd /c type 'C:\\windows\\system32\\drivers\\etc\\hosts'", &seen), 0);
    EXPECT_EQ(seen, "# Wine's hosts\r\n127.0.0.1 localhost\r\n::1 localhost\r\n"
                    "127.0.0.1       ads.example.com\r\n127.0.0.1       tracker.example.net\r\n");
    EXPECT_EQ(hostsNames(), std::vector<std::string>{"hosts"});
}

}  // namespace
}  // namespace com::quorvex::products::tamblix
