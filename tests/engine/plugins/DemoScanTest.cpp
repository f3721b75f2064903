// The demo product's definitions against the demo prefix: the registry scanner
// finds the planted entries of missing files, under their groups, and nothing
// else but what the permanent definitions whitelist.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "engine/plugins/ProductLogFolder.h"
#include "engine/plugins/ScanRegistryForErrorsImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/registry/RegistryKeyNames.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace {

using namespace com::quorvex::products::tamblix;

struct NoTicks : TickClock {
    std::uint32_t getTickCount() override { return 0; }
};

struct NoProgress : ScanProgressListener {
    void progress(std::string) override {}
};

TEST(DemoScan, FindsThePlantedEntriesOfMissingFiles) {
    const char* source = std::getenv("TAMBLIX_SOURCE_DIR");
    ASSERT_TRUE(source) << "TAMBLIX_SOURCE_DIR is not set";
    const std::filesystem::path demo = std::filesystem::path(source) / "app/demo";
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    tools::writeDemoPrefix(scratch.path() / "prefix", "demo");

    const platform::prefix::WinePrefix prefix(scratch.path() / "prefix");
    windows::registry::RegistryServiceImpl registry(prefix);
    windows::registry::prefix::PrefixRegistryAnswers answers(registry);
    platform::prefix::PrefixFileServices files(prefix, &answers);
    NoTicks ticks;
    SystemLocalClock localTime;
    const ProductLogFolder logFolder(files.folders());
    ScanRegistryForErrorsImpl scanner(registry, files.fileWriter(), files.fileExistsQuery(),
                                      files.directoryExistsQuery(), files.driveTypeQuery(), logFolder, localTime, ticks);
    // As the engine loads them.
    scanner.loadDefinitions(testing_support::readFile(demo / "permanent-definitions.xml"));
    scanner.loadDefinitions(testing_support::readFile(demo / "definitions.xml"));
    ScanResults results;
    NoProgress progress;
    scanner.scan(results, &progress);
    EXPECT_TRUE(results.scanProblems.empty());

    // key | value name -> heading
    std::map<std::string, std::string> found;
    for (const RegistryModification& record : results.registryChanges) {
        const std::string heading = record.description.substr(4, record.description.find("</h3>") - 4);
        found[windows::registry::RegistryKeyNames(false).keyToString(record.root) + "\\" + record.subkey + "|" +
              record.valueName] = heading;
    }
    const std::string machine = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    // The planted missing C:\windows\system32\missing-shell.dll is whitelisted by
    // the permanent definitions, with everything else in the system folder.
    const std::map<std::string, std::string> expected = {
        {machine + "Run|OldUpdater", "Programs started with Windows"},
        {machine + "Run|GoneHelper", "Programs started with Windows"},
        {machine + "App Paths\\removed.exe|", "Program locations"},
        {machine + "App Paths\\removed.exe|Path", "Program locations"},
        {machine + "SharedDLLs|C:\\Program Files\\Removed App\\shared.dll", "Shared libraries"},
        {machine + "Uninstall\\RemovedApp|UninstallString", "Uninstall entries"},
        {machine + "Uninstall\\RemovedApp|DisplayIcon", "Uninstall entries"},
        {"HKEY_CLASSES_ROOT\\OldFile\\DefaultIcon|", "File types and components"},
        {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|DemoNotes",
         "Programs started with Windows"},
        {"HKEY_CURRENT_USER\\Software\\Demo Vendor\\Recent|File2", "Registry entries of missing files"},
    };
    EXPECT_EQ(found, expected);
}

}  // namespace
