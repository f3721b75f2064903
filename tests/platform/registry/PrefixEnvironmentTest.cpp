#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "tests/platform/registry/PrefixFixture.h"
#include "tests/platform/registry/RegistryTestText.h"

namespace registry_test {
namespace {

using namespace windows::registry;
using windows::registry::prefix::PrefixRegistryAnswers;

class PrefixEnvironment : public ScratchPrefix {
protected:
    void writeConfiguredPrefix() {
        writeFile("system.reg",
                  header() + key("Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion", "\"SystemRoot\"=\"D:\\\\Win\"\n") +
                      key("Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\ProfileList",
                          "\"ProgramData\"=str(2):\"%SystemDrive%\\\\Data\"\n\"Public\"=\"D:\\\\users\\\\Public\"\n") +
                      key("Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\ProfileList\\\\S-1-5-21-0-0-0-1000",
                          "\"ProfileImagePath\"=\"D:\\\\users\\\\zoe\"\n") +
                      key("Software\\\\Microsoft\\\\Windows\\\\CurrentVersion",
                          "\"CommonFilesDir\"=\"D:\\\\Programs\\\\Common\"\n\"ProgramFilesDir\"=\"D:\\\\Programs\"\n"
                          "\"ProgramFilesDir (x86)\"=\"D:\\\\Programs (x86)\"\n") +
                      key("Software\\\\Values",
                          "\"e\"=str(2):\"%APPDATA%\\\\App\\\\%NOSUCH%\\\\%TAMBLIX_LINUX_ONLY%\"\n") +
                      key("Software\\\\Wine\\\\Drives",
                          "\"a:\"=\"hd\"\n\"d:\"=\"CDROM\"\n\"e:\"=\"Network\"\n\"f:\"=\"ramdisk\"\n\"g:\"=\"floppy\"\n"
                          "\"h:\"=\"tape\"\n\"i:\"=dword:00000001\n") +
                      key("System\\\\ControlSet001\\\\Control\\\\Session Manager\\\\Environment",
                          "\"ComSpec\"=str(2):\"%SystemRoot%\\\\system32\\\\cmd.exe\"\n\"OS\"=\"Windows_NT\"\n"
                          "\"PATH\"=str(2):\"%SystemRoot%\\\\system32;%SystemRoot%\"\n"
                          "\"TEMP\"=str(2):\"%SystemRoot%\\\\temp\"\n\"USERPROFILE\"=\"X:\\\\not the profile\"\n") +
                      linkKey("System\\\\CurrentControlSet", "\\Registry\\Machine\\System\\ControlSet001"));
        writeFile("user.reg",
                  header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") +
                      key("Environment", "\"PATH\"=str(2):\"%USERPROFILE%\\\\bin\"\n"
                                         "\"TEMP\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Local\\\\Temp\"\n") +
                      key("Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders",
                          "\"AppData\"=str(2):\"%USERPROFILE%\\\\Roaming\"\n"
                          "\"Personal\"=str(2):\"%USERPROFILE%\\\\My Documents\"\n"));
    }
};

TEST_F(PrefixEnvironment, VariablesComeFromThePrefixsRegistryInWindowsOrder) {
    writeConfiguredPrefix();
    ::setenv("TAMBLIX_LINUX_ONLY", "from Linux", 1);
    const auto registry = service();
    struct Case {
        const char* name;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"SystemRoot", "D:\\Win"},
        {"windir", "D:\\Win"},
        {"SystemDrive", "D:"},
        {"ProgramFiles", "D:\\Programs"},
        {"ProgramFiles(x86)", "D:\\Programs (x86)"},
        {"ProgramW6432", "D:\\Programs"},
        {"CommonProgramFiles", "D:\\Programs\\Common"},
        {"ProgramData", "D:\\Data"},
        {"ALLUSERSPROFILE", "D:\\Data"},
        {"PUBLIC", "D:\\users\\Public"},
        {"USERPROFILE", "D:\\users\\zoe"},
        {"USERNAME", "zoe"},
        {"HOMEDRIVE", "D:"},
        {"HOMEPATH", "\\users\\zoe"},
        {"APPDATA", "D:\\users\\zoe\\Roaming"},
        {"LOCALAPPDATA", "D:\\users\\zoe\\AppData\\Local"},
        {"ComSpec", "D:\\Win\\system32\\cmd.exe"},
        {"os", "Windows_NT"},
        {"Path", "D:\\Win\\system32;D:\\Win;D:\\users\\zoe\\bin"},
        {"TEMP", "D:\\users\\zoe\\AppData\\Local\\Temp"},
        {"HOME", std::nullopt},
        {"TAMBLIX_LINUX_ONLY", std::nullopt},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(registry->environmentVariable(entry.name), entry.value);
    }
    const auto key = registry->openKey(ROOT_LOCAL_MACHINE, "Software\\Values", ACCESS_READ);
    EXPECT_EQ(registry->createReader(key.get())->readValue("e").getString(),
              "D:\\users\\zoe\\Roaming\\App\\%NOSUCH%\\%TAMBLIX_LINUX_ONLY%");
    ::unsetenv("TAMBLIX_LINUX_ONLY");
}

TEST_F(PrefixEnvironment, APrefixWithoutSettingsHasWinesDefaults) {
    const auto registry = service();
    EXPECT_EQ(registry->environmentVariable("SystemRoot"), "C:\\windows");
    EXPECT_EQ(registry->environmentVariable("ProgramFiles"), "C:\\Program Files");
    EXPECT_EQ(registry->environmentVariable("ProgramData"), "C:\\ProgramData");
    EXPECT_EQ(registry->environmentVariable("USERPROFILE"), "C:\\users\\anna");
    EXPECT_EQ(registry->environmentVariable("APPDATA"), "C:\\users\\anna\\AppData\\Roaming");
    EXPECT_EQ(registry->environmentVariable("ProgramFiles(x86)"), std::nullopt);
}

TEST_F(PrefixEnvironment, ChangedVariablesAreSeenAtOnce) {
    writeConfiguredPrefix();
    const auto registry = service();
    EXPECT_EQ(registry->environmentVariable("TOOLS"), std::nullopt);
    {
        const auto environment = registry->openKey(ROOT_CURRENT_USER, "Environment", ACCESS_SET_VALUE);
        registry->createWriter(environment.get())->setString("TOOLS", "C:\\tools");
    }
    EXPECT_EQ(registry->environmentVariable("TOOLS"), "C:\\tools");
}

TEST_F(PrefixEnvironment, DriveTypesAndTheDocumentsFolderAreTheRegistrysAnswers) {
    writeConfiguredPrefix();
    const auto registry = service();
    const PrefixRegistryAnswers answers(*registry);
    const std::pair<char, std::optional<int>> drives[] = {
        {'a', 3}, {'b', 2}, {'c', std::nullopt}, {'d', 5}, {'D', 5}, {'e', 4},
        {'f', 6}, {'g', 2}, {'h', std::nullopt}, {'i', std::nullopt}, {'1', std::nullopt},
    };
    for (const auto& [letter, type] : drives) {
        SCOPED_TRACE(letter);
        EXPECT_EQ(answers.driveType(letter), type);
    }
    EXPECT_EQ(answers.documentsFolder(), "D:\\users\\zoe\\My Documents");
}

TEST_F(PrefixEnvironment, APrefixWithoutSettingsLeavesTheAnswersToTheFileLayer) {
    writeFile("user.reg", "this is not a registry file\n");
    const auto registry = service();
    const PrefixRegistryAnswers answers(*registry);
    EXPECT_EQ(answers.driveType('a'), 2);
    EXPECT_EQ(answers.driveType('c'), std::nullopt);
    EXPECT_EQ(answers.documentsFolder(), std::nullopt);
}

}  // namespace
}  // namespace registry_test
