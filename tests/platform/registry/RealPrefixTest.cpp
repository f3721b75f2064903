// Against a real prefix made by Wine, with Wine itself as the peer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "platform/registry/prefix/WineServerLock.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryText.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"
#include "tests/support/WinePrefixTest.h"

namespace registry_test {
namespace {

using namespace windows::registry;
namespace fs = std::filesystem;
using testing_support::readFile;

const char* const REGISTRY_FILES[] = {"system.reg", "user.reg", "userdef.reg"};

class RealPrefix : public testing_support::WinePrefixTest {
protected:
    void TearDown() override {
        if (_serverStarted) _server("-k");
    }

    std::unique_ptr<RegistryServiceImpl> service() const {
        return std::make_unique<RegistryServiceImpl>(platform::prefix::WinePrefix(prefix));
    }
    int wine(const std::string& arguments, std::string* output = nullptr) const {
        return testing_support::runWine(prefix, arguments, output);
    }
    std::vector<std::string> files() const {
        std::vector<std::string> contents;
        for (const char* name : REGISTRY_FILES) contents.push_back(readFile(prefix / name));
        return contents;
    }
    void startServer() {
        _serverStarted = true;
        _server("-p");
        waitForServer(true);
    }
    void stopServer() {
        _server("-k");
        waitForServer(false);
        _serverStarted = false;
    }
    void waitForServer(bool running) const {
        const prefix::WineServerLock lock;
        for (int attempt = 0; attempt < 300 && lock.isHeld(prefix) != running; ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_EQ(lock.isHeld(prefix), running);
    }

private:
    void _server(const std::string& option) const {
        const std::string command = "WINEPREFIX='" + prefix.string() + "' WINEDEBUG=-all wineserver " + option;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    bool _serverStarted = false;
};

TEST_F(RealPrefix, TheRegistryFilesRoundTripByteForByte) {
    for (const char* name : REGISTRY_FILES) {
        SCOPED_TRACE(name);
        const std::string text = readFile(prefix / name);
        tree::RegistryFile file;
        tree::RegistryFileError error;
        ASSERT_TRUE(tree::parseRegistryFile(text, 0, file, error)) << "line " << error.line << ": " << error.reason;
        EXPECT_EQ(tree::writeRegistryFile(file), text);
    }
    const auto before = files();
    const auto times = fs::last_write_time(prefix / "system.reg");
    {
        const auto registry = service();
        const std::function<int(std::uint32_t, const std::string&)> walk = [&](std::uint32_t root, const std::string& path) {
            const auto key = registry->openKey(root, path, ACCESS_READ);
            const auto reader = registry->createReader(key.get());
            int count = static_cast<int>(reader->enumValues().size());
            for (const auto& name : reader->enumSubkeys()) count += walk(root, path.empty() ? name : path + "\\" + name);
            return count;
        };
        EXPECT_GT(walk(ROOT_LOCAL_MACHINE, "Software"), 1000);
        EXPECT_GT(walk(ROOT_CURRENT_USER, ""), 100);
    }
    EXPECT_EQ(files(), before);
    EXPECT_EQ(fs::last_write_time(prefix / "system.reg"), times);
}

TEST_F(RealPrefix, ReadsTheRegistryAsWineKeepsIt) {
    const auto registry = service();
    const auto read = [&](std::uint32_t root, const std::string& subkey, const std::string& name) {
        const auto key = registry->openKey(root, subkey, ACCESS_READ);
        return registry->createReader(key.get())->readValue(name).getString();
    };
    EXPECT_EQ(read(ROOT_CLASSES_ROOT, "txtfile\\shell\\open\\command", ""), "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
    EXPECT_EQ(read(ROOT_LOCAL_MACHINE, "software\\microsoft\\windows nt\\currentversion", "SystemRoot"), "C:\\windows");
    EXPECT_EQ(registry->environmentVariable("ComSpec"), "C:\\windows\\system32\\cmd.exe");
    const std::string profile = read(ROOT_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-0-0-0-1000",
                                     "ProfileImagePath");
    EXPECT_EQ(registry->environmentVariable("USERPROFILE"), profile);
    // Wine's link from the 32-bit view to the classes.
    const auto linked = registry->openKey(ROOT_LOCAL_MACHINE, "Software\\Wow6432Node\\Classes", ACCESS_READ);
    const auto target = registry->openKey(ROOT_CLASSES_ROOT, "Wow6432Node", ACCESS_READ);
    EXPECT_EQ(registry->createReader(linked.get())->enumSubkeys(), registry->createReader(target.get())->enumSubkeys());
    const prefix::PrefixRegistryAnswers answers(*registry);
    EXPECT_EQ(answers.documentsFolder(), profile + "\\Documents");
}

TEST_F(RealPrefix, ValuesWeWriteAreReadByWineWithTheirTypes) {
    {
        const auto registry = service();
        const auto software = registry->openKey(ROOT_CURRENT_USER, "Software", ACCESS_CREATE_SUB_KEY);
        const auto probe = registry->createWriter(software.get())->createSubkey("Tamblix\\Probe", ACCESS_SET_VALUE);
        const auto writer = registry->createWriter(probe.get());
        writer->setString("text", "plain text");
        writer->setString("unicode", "h\xc3\xa4llo \xe2\x82\xac");
        writer->setDword("number", 42u, TYPE_DWORD);
        writer->setDword("bytes", 0x04030201u, TYPE_BINARY);
    }
    std::string output;
    ASSERT_EQ(wine("reg query 'HKCU\\Software\\Tamblix\\Probe'", &output), 0);
    for (const char* line : {"    text    REG_SZ    plain text\r\n", "    number    REG_DWORD    0x2a\r\n",
                             "    bytes    REG_BINARY    01020304\r\n"})
        EXPECT_NE(output.find(line), std::string::npos) << line << " in " << output;
    // The console's code page cannot show every character: the export file can.
    const fs::path exported = scratch.path() / "exported.reg";
    ASSERT_EQ(wine("regedit /e '" + testing_support::driveZPath(exported) + "' 'HKEY_CURRENT_USER\\Software\\Tamblix\\Probe'"), 0);
    const std::string bytes = readFile(exported);
    ASSERT_GE(bytes.size(), 2u);
    const std::string text =
        tree::utf16ToUtf8(tree::unitsOfBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2, bytes.size() - 2));
    EXPECT_NE(text.find("\"unicode\"=\"h\xc3\xa4llo \xe2\x82\xac\""), std::string::npos) << text;
}

TEST_F(RealPrefix, ValuesWineWroteAreReadWithTheirTypes) {
    ASSERT_EQ(wine("cmd /c \"reg add HKCU\\Software\\T /v s /t REG_SZ /d hello /f"
                   " & reg add HKCU\\Software\\T /v d /t REG_DWORD /d 42 /f"
                   " & reg add HKCU\\Software\\T /v b /t REG_BINARY /d 0aff10 /f"
                   " & reg add HKCU\\Software\\T /v m /t REG_MULTI_SZ /d a\\0b /f"
                   " & reg add HKCU\\Software\\T /v u /t REG_SZ /d h\xc3\xa4llo\xe2\x82\xac /f\""),
              0);
    ASSERT_EQ(wine("reg add 'HKCU\\Software\\T' /v e /t REG_EXPAND_SZ /d '%SystemRoot%\\my dir' /f"), 0);
    const auto registry = service();
    const auto key = registry->openKey(ROOT_CURRENT_USER, "Software\\T", ACCESS_READ);
    const auto reader = registry->createReader(key.get());
    using namespace std::string_literals;
    EXPECT_TRUE(reader->readValue("s") == RegistryData("hello"s));
    EXPECT_TRUE(reader->readValue("d") == RegistryData(42u));
    EXPECT_TRUE(reader->readValue("b") == RegistryData(std::vector<std::uint8_t>{0x0a, 0xff, 0x10}));
    EXPECT_TRUE(reader->readValue("m") == RegistryData("a\0b\0"s));
    EXPECT_TRUE(reader->readValue("u") == RegistryData("h\xc3\xa4llo\xe2\x82\xac"s));
    EXPECT_TRUE(reader->readValue("e") == RegistryData("C:\\windows\\my dir"s));
    EXPECT_EQ(reader->valueNames(), (std::list<std::string>{"b", "d", "e", "m", "s", "u"}));
}

TEST_F(RealPrefix, KeysWineNamedBeyondAsciiAreOpenedWithCaseIgnoredAsWineIgnoresIt) {
    // Wine keeps \u0130stanbul and istanbul apart, and Ǆungla is ǆungla.
    ASSERT_EQ(wine("cmd /c \"reg add HKCU\\Software\\T\\\xc4\xb0stanbul /v which /d dotted /f"
                   " & reg add HKCU\\Software\\T\\istanbul /v which /d plain /f"
                   " & reg add HKCU\\Software\\T\\\xc7\x84ungla /v \xc7\x84 /d jungle /f"
                   " & reg add HKCU\\Software\\T\\R\xc3\xa9sum\xc3\xa9 /f"
                   " & reg add HKCU\\Software\\T\\\xc7\x86UNGLA /v \xc7\x86 /d same /f\""),
              0);
    const std::string written = readFile(prefix / "user.reg");
    {
        const auto registry = service();
        const auto read = [&](const std::string& subkey, const std::string& name) {
            const auto key = registry->openKey(ROOT_CURRENT_USER, subkey, ACCESS_READ);
            return registry->createReader(key.get())->readValue(name).getString();
        };
        EXPECT_EQ(read("SOFTWARE\\T\\\xc4\xb0STANBUL", "which"), "dotted");
        EXPECT_EQ(read("software\\t\\ISTANBUL", "which"), "plain");
        EXPECT_EQ(read("Software\\T\\\xc7\x86UNGLA", "\xc7\x86"), "same");
        const auto t = registry->openKey(ROOT_CURRENT_USER, "Software\\T", ACCESS_READ);
        EXPECT_EQ(registry->createReader(t.get())->enumSubkeys(),
                  (std::list<std::string>{"istanbul", "R\xc3\xa9sum\xc3\xa9", "\xc4\xb0stanbul", "\xc7\x84ungla"}));
        EXPECT_THROW(registry->openKey(ROOT_CURRENT_USER, "Software\\T\\\xc4\xb1stanbul", ACCESS_READ),
                     RegistryKeyNotFoundException);
        // A change elsewhere writes the file again: Wine's keys keep their order and stay apart.
        const auto software = registry->openKey(ROOT_CURRENT_USER, "Software", ACCESS_SET_VALUE);
        registry->createWriter(software.get())->setString("touched", "1");
    }
    tree::RegistryFile file;
    tree::RegistryFileError error;
    ASSERT_TRUE(tree::parseRegistryFile(written, 0, file, error)) << error.reason;
    EXPECT_EQ(tree::writeRegistryFile(file), written);
    std::string output;
    ASSERT_EQ(wine("reg query 'HKCU\\Software\\T' /s", &output), 0);
    for (const char* line : {"which    REG_SZ    dotted", "which    REG_SZ    plain"})
        EXPECT_NE(output.find(line), std::string::npos) << line << " in " << output;
}

TEST_F(RealPrefix, ASubkeyTreeWeDeleteIsGoneForWine) {
    ASSERT_EQ(wine("reg query 'HKCR\\AVIFile\\Compressors\\vids'"), 0);
    {
        const auto registry = service();
        const auto classes = registry->openKey(ROOT_CLASSES_ROOT, "", ACCESS_READ);
        registry->createWriter(classes.get())->deleteSubkeyTree("AVIFile");
    }
    EXPECT_NE(wine("reg query 'HKLM\\Software\\Classes\\AVIFile' /s"), 0);
    std::string output;
    EXPECT_EQ(wine("reg query 'HKCR\\txtfile'", &output), 0);
    EXPECT_NE(output.find("Text Document"), std::string::npos);
}

TEST_F(RealPrefix, AWriteWhileWineRunsIsRefusedAndChangesNothing) {
    startServer();
    const auto before = files();
    {
        const auto registry = service();
        const auto key = registry->openKey(ROOT_CURRENT_USER, "Software", ACCESS_ALL);
        try {
            registry->createWriter(key.get())->setString("refused", "1");
            ADD_FAILURE() << "no exception";
        } catch (const RegistryException& e) {
            EXPECT_EQ(e.getMessage(), "The registry of the Wine prefix '" + prefix.string() +
                                          "' is in use by Wine, so 'HKEY_CURRENT_USER\\Software\\refused' cannot be "
                                          "changed now. Stop Wine first with 'wineserver -k' (with WINEPREFIX='" +
                                          prefix.string() + "') and try again.\n\nSystem error message: The file is being "
                                          "used by another process.\r\n");
        }
        EXPECT_THROW(registry->createWriter(key.get())->deleteSubkeyTree("Wine"), RegistryException);
        EXPECT_FALSE(registry->createReader(key.get())->enumSubkeys().empty());
    }
    stopServer();
    EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace registry_test
