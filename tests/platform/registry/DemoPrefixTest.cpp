#include <gtest/gtest.h>

#include "platform/file/FileExceptions.h"
#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "tests/support/TempDir.h"
#include "tools/demo-prefix/DemoPrefix.h"

namespace registry_test {
namespace {

using namespace windows::registry;
namespace fs = std::filesystem;
using testing_support::readFile;

class DemoPrefix : public ::testing::Test {
protected:
    void SetUp() override { tools::writeDemoPrefix(prefix, "demo"); }

    // Where a Windows path of the C: drive is in the prefix.
    fs::path onDrive(std::string path) const {
        EXPECT_EQ(path.rfind("C:\\", 0), 0u) << path;
        for (char& c : path)
            if (c == '\\') c = '/';
        return prefix / "drive_c" / path.substr(3);
    }

    testing_support::TempDir scratch;
    fs::path prefix = scratch.path() / "prefix";
};

TEST_F(DemoPrefix, IsAPrefixInWinesLayout) {
    EXPECT_EQ(fs::read_symlink(prefix / "dosdevices" / "c:"), "../drive_c");
    EXPECT_EQ(fs::read_symlink(prefix / "dosdevices" / "z:"), "/");
    EXPECT_NE(readFile(prefix / "drive_c/windows/system32/drivers/etc/hosts").find("127.0.0.1       localhost\r\n"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(prefix / "drive_c/users/demo/Documents"));
    const std::pair<const char*, const char*> files[] = {{"system.reg", "REGISTRY\\\\Machine"},
                                                         {"user.reg", "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000"},
                                                         {"userdef.reg", "REGISTRY\\\\User\\\\.Default"}};
    for (const auto& [name, relativeTo] : files) {
        SCOPED_TRACE(name);
        const std::string text = readFile(prefix / name);
        EXPECT_EQ(text.rfind("WINE REGISTRY Version 2\n;; All keys relative to " + std::string(relativeTo) +
                                 "\n\n#arch=win64\n\n[",
                             0),
                  0u);
        tree::RegistryFile file;
        tree::RegistryFileError error;
        ASSERT_TRUE(tree::parseRegistryFile(text, 0, file, error)) << error.line << ": " << error.reason;
        EXPECT_EQ(tree::writeRegistryFile(file), text);
    }
}

TEST_F(DemoPrefix, HasValuesThatPointToFilesThatExistAndToFilesThatAreGone) {
    RegistryServiceImpl registry{platform::prefix::WinePrefix(prefix)};
    const auto read = [&](std::uint32_t root, const std::string& subkey, const std::string& name) {
        const auto key = registry.openKey(root, subkey, ACCESS_READ);
        return registry.createReader(key.get())->readValue(name).getString();
    };
    struct Case {
        std::uint32_t root;
        const char* subkey;
        const char* name;
        const char* file;  // the file the value names
        bool exists;
    };
    const char* const RUN = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const Case cases[] = {
        {ROOT_LOCAL_MACHINE, RUN, "DemoTool", "C:\\Program Files\\Demo Tools\\tool.exe", true},
        {ROOT_LOCAL_MACHINE, RUN, "OldUpdater", "C:\\Program Files\\Old Updater\\update.exe", false},
        {ROOT_LOCAL_MACHINE, RUN, "Notepad", "C:\\windows\\system32\\notepad.exe", true},
        {ROOT_LOCAL_MACHINE, RUN, "GoneHelper", "C:\\Program Files\\Gone Vendor\\helper.exe", false},
        {ROOT_CLASSES_ROOT, "DemoFile\\shell\\open\\command", "", "C:\\Program Files\\Demo Tools\\tool.exe", true},
        {ROOT_CLASSES_ROOT, "OldFile\\DefaultIcon", "", "C:\\Program Files\\Removed App\\old.ico", false},
        {ROOT_CLASSES_ROOT, "CLSID\\{5E2C1B44-0D4A-4E6F-9D0B-1A2B3C4D5E60}\\InprocServer32", "",
         "C:\\windows\\system32\\demo-shell.dll", true},
        {ROOT_CLASSES_ROOT, "CLSID\\{6F3D2C55-1E5B-4F70-8E1C-2B3C4D5E6F71}\\InprocServer32", "",
         "C:\\windows\\system32\\missing-shell.dll", false},
        {ROOT_CURRENT_USER, RUN, "DemoNotes", "C:\\users\\demo\\AppData\\Roaming\\Demo\\notes.exe", false},
        {ROOT_CURRENT_USER, RUN, "DemoSettings", "C:\\users\\demo\\AppData\\Roaming\\Demo\\settings.ini", true},
        {ROOT_CURRENT_USER, "Software\\Demo Vendor\\Recent", "File1", "C:\\users\\demo\\Documents\\report.txt", true},
        {ROOT_CURRENT_USER, "Software\\Demo Vendor\\Recent", "File2", "C:\\users\\demo\\Documents\\lost.txt", false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.subkey) + "\\" + entry.name);
        EXPECT_NE(read(entry.root, entry.subkey, entry.name).find(entry.file), std::string::npos);
        EXPECT_EQ(fs::exists(onDrive(entry.file)), entry.exists);
    }
    EXPECT_EQ(read(ROOT_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Tcpip\\Parameters", "DataBasePath"),
              "C:\\windows\\System32\\drivers\\etc");
    const prefix::PrefixRegistryAnswers answers(registry);
    EXPECT_EQ(answers.documentsFolder(), "C:\\users\\demo\\Documents");
    EXPECT_EQ(answers.driveType('d'), 5);
}

TEST_F(DemoPrefix, ReplacesOnlyAnEarlierDemoPrefix) {
    const std::string machine = readFile(prefix / "system.reg");
    tools::writeDemoPrefix(prefix, "demo");
    EXPECT_EQ(readFile(prefix / "system.reg"), machine) << "the same prefix every time";

    const fs::path other = scratch.path() / "other";
    scratch.write("other/system.reg", "a prefix of someone's own");
    EXPECT_THROW(tools::writeDemoPrefix(other, "demo"), io::IOException);
    EXPECT_EQ(readFile(other / "system.reg"), "a prefix of someone's own");
}

}  // namespace
}  // namespace registry_test
