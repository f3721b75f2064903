// The registry scanner in the product on a real Wine prefix, driven through
// tamblix-cli, with Wine's reg and regedit as the peers: values planted by reg
// add are found, removed by the fix, and put back by merging the undo file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/app/JsonValue.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"
#include "tests/support/WinePrefixTest.h"

namespace {

using namespace windows::registry;
namespace fs = std::filesystem;

// key -> value name -> (type, data), as reg query prints them.
using QueriedValues = std::map<std::string, std::map<std::string, std::pair<std::string, std::string>>>;

const std::vector<std::string> PLANTED_KEYS = {"HKEY_CURRENT_USER\\Software\\TamblixTest",
                                               "HKEY_LOCAL_MACHINE\\Software\\TamblixTest",
                                               "HKEY_CLASSES_ROOT\\TamblixTest.File\\DefaultIcon"};

// Lines of a batch file; %% stands for one percent sign there.
const char* const PLANTING[] = {
    R"(reg add "HKCU\Software\TamblixTest" /v Quoted /t REG_SZ /d "\"C:\Program Files\Gone App\app.exe\" /silent" /f)",
    R"(reg add "HKCU\Software\TamblixTest" /v Expanded /t REG_EXPAND_SZ /d "%%SystemRoot%%\system32\gone-tool.exe" /f)",
    R"(reg add "HKCU\Software\TamblixTest" /v "C:\Program Files\Gone App\shared.dll" /t REG_DWORD /d 26 /f)",
    R"(reg add "HKCU\Software\TamblixTest" /v Multi /t REG_MULTI_SZ /d "C:\Gone\multi.exe\0second" /f)",
    R"(reg add "HKCU\Software\TamblixTest" /v "C:\Gone\bin.dat" /t REG_BINARY /d 0aff10 /f)",
    R"(reg add "HKCU\Software\TamblixTest" /v Arguments /t REG_SZ /d "C:\Program Files\Present\App.exe /s" /f)",
    R"(reg add "HKCR\TamblixTest.File\DefaultIcon" /ve /d "C:\Gone\icon.ico,1" /f)",
    R"(reg add "HKLM\Software\TamblixTest" /v Present /t REG_SZ /d "C:\PROGRAM FILES\present\APP.EXE -x" /f)",
    R"(reg add "HKLM\Software\TamblixTest" /v Notepad /t REG_EXPAND_SZ /d "%%SystemRoot%%\notepad.exe" /f)",
    R"(reg add "HKLM\Software\TamblixTest" /v Folder /t REG_SZ /d "C:\windows\system32\\" /f)",
    R"(reg add "HKLM\Software\TamblixTest" /v GoneMachine /t REG_SZ /d "c:\gone\machine.exe" /f)",
};

// The permanent definitions: the product alone.
const char* const PERMANENT_DEFINITIONS = R"(<tamblix-definition><derivate-product-info>
  <name>Tamblix Test</name><author>Tests</author><version>1.0</version><publisher>Tests</publisher>
  <product-url>http://tamblix.example/</product-url><contact-url>http://tamblix.example/contact</contact-url>
  <update-counter>1</update-counter><update-date>2024-01-01</update-date>
  <tamblix-update-url>http://127.0.0.1:9/update.xml</tamblix-update-url>
  <manual-update-url>http://tamblix.example/download</manual-update-url>
  <troubleshoot-url>http://tamblix.example/help</troubleshoot-url>
  <messages><introduction>Test</introduction><scan-finished>Done</scan-finished></messages>
  <stylesheet>body {}</stylesheet><variant-url>http://tamblix.example/variants</variant-url>
</derivate-product-info></tamblix-definition>)";

std::string definitions() {
    return R"(<tamblix-definition>
<derivate-product-info><name>Tamblix Test</name></derivate-product-info>
<modifications><scan-registry-for-errors-plugin>
<ScanKeys>
  <ScanKey root="HKEY_CURRENT_USER" subkey="Software\TamblixTest"/>
  <ScanKey root="HKEY_LOCAL_MACHINE" subkey="Software\TamblixTest"/>
  <ScanKey root="HKEY_CLASSES_ROOT" subkey="TamblixTest.File"/>
</ScanKeys>
<Groups><Group name="Default" heading="Registry" descDataPointing="%VALUE% points to %FILE%"
  descValuePointing="%VALUE% is missing" descDefaultValue="%KEY% points to %FILE%"/></Groups>
</scan-registry-for-errors-plugin></modifications></tamblix-definition>)";
}

class ScannerOnWinePrefix : public testing_support::WinePrefixTest {
protected:
    void SetUp() override {
        WinePrefixTest::SetUp();
        if (IsSkipped()) return;
        // Wine points the user's Documents at the Linux home: keep the copy to itself.
        const fs::path documents = prefix / "drive_c/users" / userName() / "Documents";
        fs::remove(documents);
        fs::create_directories(documents);
        fs::create_directories(prefix / "drive_c/Program Files/Present");
        // The demo product's programs, in debug mode with the definitions of this test.
        testing_support::copyDemoProduct(product, scratch.path() / "demo-prefix");
        scratch.write("product/system/definitions.xml", definitions());
        scratch.write("product/system/permanent-definitions.xml", PERMANENT_DEFINITIONS);
        std::ofstream(prefix / "drive_c/Program Files/Present/App.exe") << "present";
    }

    static std::string userName() {
        const char* user = std::getenv("USER");
        return user && *user ? user : "root";
    }

    // A batch file of lines, run by Wine's cmd in the prefix.
    int runBatch(const std::string& name, const std::vector<std::string>& lines, std::string* output = nullptr) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        const fs::path batch = scratch.write(name, text);
        return testing_support::runWine(prefix, "cmd /c \"" + testing_support::driveZPath(batch) + "\"", output);
    }

    QueriedValues query() {
        std::vector<std::string> lines = {"@echo off"};
        for (const std::string& key : PLANTED_KEYS) lines.push_back("reg query \"" + key + "\"");
        std::string output;
        const int status = runBatch("query.bat", lines, &output);
        if (status != 0 && output.empty()) ADD_FAILURE() << "Wine's reg query printed nothing and ended with " << status;
        QueriedValues values;
        // A key without values prints nothing.
        for (const std::string& planted : PLANTED_KEYS) values[planted];
        std::string key;
        std::istringstream in(output);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("HKEY_", 0) == 0) {
                key = line;
                values[key];
            } else if (line.rfind("    ", 0) == 0 && !key.empty()) {
                const std::size_t typeAt = line.find("    REG_", 4);
                if (typeAt == std::string::npos) continue;
                const std::size_t dataAt = line.find("    ", typeAt + 4);
                const std::string type = line.substr(typeAt + 4, dataAt == std::string::npos ? std::string::npos
                                                                                              : dataAt - typeAt - 4);
                const std::string data = dataAt == std::string::npos ? "" : line.substr(dataAt + 4);
                values[key][line.substr(4, typeAt - 4)] = {type, data};
            }
        }
        return values;
    }

    fs::path product = scratch.path() / "product";
};

TEST_F(ScannerOnWinePrefix, FindsRemovesAndPutsBackExactlyTheValuesOfMissingFiles) {
    std::vector<std::string> planting(std::begin(PLANTING), std::end(PLANTING));
    planting.insert(planting.begin(), "@echo off");
    ASSERT_EQ(runBatch("plant.bat", planting), 0);
    // Non-ASCII text goes on the command line, which Wine reads as UTF-8.
    ASSERT_EQ(testing_support::runWine(prefix, "reg add \"HKCU\\Software\\TamblixTest\" /v \"M\xc3\xbcller\" /t REG_SZ "
                                               "/d \"C:\\Gone\\M\xc3\xbcller \xe2\x82\xac.exe\" /f"),
              0);
    const QueriedValues planted = query();
    ASSERT_EQ(planted.at(PLANTED_KEYS[0]).size(), 7u);
    ASSERT_EQ(planted.at(PLANTED_KEYS[1]).size(), 4u);
    ASSERT_EQ(planted.at(PLANTED_KEYS[2]).size(), 1u);

    const testing_support::ProgramResult run = testing_support::runProgram(
        product / "tamblix-cli", {"fix", "--select", "all", "--json", "--debug"}, scratch.path(), prefix);
    ASSERT_EQ(run.exitCode, 1) << run.output << run.errors;
    const testing_support::JsonValue report = testing_support::parseJson(run.output);
    EXPECT_EQ(report["state"].text, "fix-finished");
    EXPECT_TRUE(report["scanProblems"].items.empty());
    EXPECT_TRUE(report["fixProblems"].items.empty());
    std::set<std::string> found;
    for (const testing_support::JsonValue& record : report["registry"].items) {
        found.insert(record["key"].text + "|" + record["valueName"].text);
        EXPECT_TRUE(record["applied"].boolean) << record["key"].text;
    }
    const std::set<std::string> expected = {
        PLANTED_KEYS[0] + "|Quoted",          PLANTED_KEYS[0] + "|Expanded",
        PLANTED_KEYS[0] + "|C:\\Program Files\\Gone App\\shared.dll",
        PLANTED_KEYS[0] + "|Multi",           PLANTED_KEYS[0] + "|C:\\Gone\\bin.dat",
        PLANTED_KEYS[0] + "|M\xc3\xbcller",   PLANTED_KEYS[1] + "|GoneMachine",
        PLANTED_KEYS[2] + "|"};
    EXPECT_EQ(found, expected);

    // The undo file lies beside the log.
    const std::string log = report["logFile"].text;
    const std::string folder = log.substr(0, log.rfind('\\') + 1);
    std::string undoPath;
    const fs::path logs = prefix / "drive_c/users" / userName() / "Documents/My Tamblix Test Logs";
    for (const auto& entry : fs::directory_iterator(logs))
        if (entry.path().extension() == ".reg") undoPath = folder + entry.path().filename().string();
    ASSERT_FALSE(undoPath.empty());

    // Exactly the values of missing files are gone.
    QueriedValues left;
    left[PLANTED_KEYS[0]]["Arguments"] = planted.at(PLANTED_KEYS[0]).at("Arguments");
    for (const char* name : {"Present", "Notepad", "Folder"})
        left[PLANTED_KEYS[1]][name] = planted.at(PLANTED_KEYS[1]).at(name);
    left[PLANTED_KEYS[2]];
    EXPECT_EQ(query(), left);

    ASSERT_EQ(testing_support::runWine(prefix, "regedit /s \"" + undoPath + "\""), 0);
    EXPECT_EQ(query(), planted);
    // The non-ASCII value byte for byte, through the registry layer.
    const platform::prefix::WinePrefix winePrefix(prefix);
    RegistryServiceImpl registry(winePrefix);
    const auto key = registry.openKey(ROOT_CURRENT_USER, "Software\\TamblixTest", ACCESS_READ);
    const StoredRegistryValue restored = registry.createReader(key.get())->readRawValue("M\xc3\xbcller");
    EXPECT_EQ(restored.type, TYPE_SZ);
    const std::u16string text = u"C:\\Gone\\M\u00fcller \u20ac.exe";
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : text + u'\0') bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
    EXPECT_EQ(restored.bytes, bytes);
}

}  // namespace
