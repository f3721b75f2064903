#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/plugins/RegistryUndoFile.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FolderCalls.h"
#include "platform/registry/RegistryConstants.h"
#include "tests/engine/plugins/ScannerFixture.h"

using namespace scanner_testing;
using namespace windows::registry;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes utf16(const std::u16string& text) {
    Bytes bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

RegistryErrorEntry stored(std::uint32_t root, const std::string& subkey, const std::string& name, RegistryData data,
                          std::uint32_t type, Bytes bytes) {
    RegistryErrorEntry entry;
    entry.root = root;
    entry.subkey = subkey;
    entry.valueName = name;
    entry.data = std::move(data);
    entry.stored = StoredRegistryValue{type, std::move(bytes)};
    return entry;
}

RegistryErrorEntry asRead(const std::string& name, RegistryData data) {
    RegistryErrorEntry entry;
    entry.root = ROOT_CURRENT_USER;
    entry.subkey = "Software\\V";
    entry.valueName = name;
    entry.data = std::move(data);
    return entry;
}

// The file's text: UTF-16LE after a byte-order mark, every unit below 0x80 here.
std::string fileText(const std::vector<char>& bytes) {
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], '\xFF');
    EXPECT_EQ(bytes[1], '\xFE');
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], 0) << "at " << i;
        text += bytes[i];
    }
    return text;
}

TEST(RegistryUndoFile, EveryValueIsWrittenWithItsStoredTypeAndBytes) {
    struct Case {
        const char* note;
        RegistryErrorEntry entry;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"a string with backslashes and quotes",
         stored(ROOT_LOCAL_MACHINE, "Software\\Run", "Tool", RegistryData(std::string("\"C:\\Gone\\a.exe\" /s")),
                TYPE_SZ, utf16(u"\"C:\\Gone\\a.exe\" /s" + std::u16string(1, u'\0'))),
         "[HKEY_LOCAL_MACHINE\\Software\\Run]\n\"Tool\"=\"\\\"C:\\\\Gone\\\\a.exe\\\" /s\""},
        {"the default value", stored(ROOT_CLASSES_ROOT, "CLSID\\{1}", "", RegistryData(std::string("c:\\x.dll")), TYPE_SZ,
                                     utf16(u"c:\\x.dll" + std::u16string(1, u'\0'))),
         "[HKEY_CLASSES_ROOT\\CLSID\\{1}]\n@=\"c:\\\\x.dll\""},
        {"a name with a backslash and a quote, below a root",
         stored(ROOT_USERS, "", "C:\\a\"b.dll", RegistryData(std::uint32_t(26)), TYPE_DWORD, {26, 0, 0, 0}),
         "[HKEY_USERS]\n\"C:\\\\a\\\"b.dll\"=dword:0000001A"},
        {"a DWORD in eight upper-case digits",
         stored(ROOT_CURRENT_USER, "S", "d", RegistryData(std::uint32_t(0xDEADBEEF)), TYPE_DWORD, {0xEF, 0xBE, 0xAD, 0xDE}),
         "[HKEY_CURRENT_USER\\S]\n\"d\"=dword:DEADBEEF"},
        {"a DWORD of three bytes", stored(ROOT_CURRENT_USER, "S", "d", RegistryData(), TYPE_DWORD, {1, 2, 3}),
         "[HKEY_CURRENT_USER\\S]\n\"d\"=hex(4):01,02,03"},
        {"an expand string as stored, not expanded",
         stored(ROOT_CURRENT_USER, "S", "e", RegistryData(std::string("C:\\windows\\x")), TYPE_EXPAND_SZ,
                utf16(u"%SystemRoot%\\x" + std::u16string(1, u'\0'))),
         "[HKEY_CURRENT_USER\\S]\n\"e\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6D,00,52,00,6F,00,6F,00,74,00,"
         "25,00,5C,00,78,00,00,00"},
        {"a multi string", stored(ROOT_CURRENT_USER, "S", "m", RegistryData(std::string("a\0b\0", 4)), TYPE_MULTI_SZ,
                                  utf16(std::u16string(u"a\0b\0\0", 5))),
         "[HKEY_CURRENT_USER\\S]\n\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00"},
        {"binary data", stored(ROOT_CURRENT_USER, "S", "b", RegistryData(Bytes{0x0A, 0xFF}), TYPE_BINARY, {0x0A, 0xFF}),
         "[HKEY_CURRENT_USER\\S]\n\"b\"=hex:0A,FF"},
        {"a string with a line break", stored(ROOT_CURRENT_USER, "S", "s", RegistryData(std::string("a\nb")), TYPE_SZ,
                                              utf16(std::u16string(u"a\nb\0", 4))),
         "[HKEY_CURRENT_USER\\S]\n\"s\"=hex(1):61,00,0A,00,62,00,00,00"},
        {"a string stored without its terminating zero",
         stored(ROOT_CURRENT_USER, "S", "s", RegistryData(std::string("ab")), TYPE_SZ, utf16(u"ab")),
         "[HKEY_CURRENT_USER\\S]\n\"s\"=hex(1):61,00,62,00"},
        {"an empty string", stored(ROOT_CURRENT_USER, "S", "s", RegistryData(std::string()), TYPE_SZ, {0, 0}),
         "[HKEY_CURRENT_USER\\S]\n\"s\"=\"\""},
        {"non-ASCII text stays text", stored(ROOT_CURRENT_USER, "S\\M\xc3\xbcller", "N\xc3\xa4me",
                                             RegistryData(std::string("c:\\\xc3\xa9t\xc3\xa9")), TYPE_SZ,
                                             utf16(u"c:\\\u00e9t\u00e9" + std::u16string(1, u'\0'))),
         "[HKEY_CURRENT_USER\\S\\M\xc3\xbcller]\n\"N\xc3\xa4me\"=\"c:\\\\\xc3\xa9t\xc3\xa9\""},
        {"unknown stored form: a string as read", asRead("s", RegistryData(std::string("c:\\a"))),
         "[HKEY_CURRENT_USER\\Software\\V]\n\"s\"=\"c:\\\\a\""},
        {"unknown stored form: a DWORD as read", asRead("d", RegistryData(std::uint32_t(26))),
         "[HKEY_CURRENT_USER\\Software\\V]\n\"d\"=dword:0000001A"},
        {"unknown stored form: binary data as read", asRead("b", RegistryData(Bytes{0x00, 0xAB})),
         "[HKEY_CURRENT_USER\\Software\\V]\n\"b\"=hex:00,AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(undoEntryText(c.entry), c.text);
    }
}

TEST(RegistryUndoFile, InvalidDataIsAnInternalErrorAndAnEmptyText) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    EXPECT_EQ(undoEntryText(asRead("x", RegistryData())), "");
    EXPECT_NE(scratch.read("assertion.txt").find("REGISTRY_DATA_INVALID"), std::string::npos);
}

TEST(RegistryUndoFile, NameHeaderAndBytes) {
    EXPECT_EQ(undoFileName("Wed Jan 03 09:05:00 2007"), "undo from Wed Jan 03 09-05-00 2007.reg");
    EXPECT_EQ(undoFileHeader("Wed Jan 03 09:05:00 2007"),
              "Windows Registry Editor Version 5.00\n\n"
              ";The values found under the following keys were removed when cleaning the registry.\n"
              ";This file will undo the changes from Wed Jan 03 09:05:00 2007 and reinsert all removed keys.\n"
              ";Todo this right-click on this file in Explorer and then select Merge.\n\n");
    EXPECT_EQ(undoFileBytes("W\xc3\xa4\n"), (std::vector<char>{'\xFF', '\xFE', 'W', 0, '\xE4', 0, '\n', 0}));
    EXPECT_EQ(undoFileBytes("\xf0\x9f\x98\x80"), (std::vector<char>{'\xFF', '\xFE', '\x3D', '\xD8', '\x00', '\xDE'}));
}

class UndoAfterFix : public ScannerTest {
protected:
    void SetUp() override {
        importMachine(keyBlock(R"(Software\\Vendor)", R"("Gone"="C:\\gone\\app.exe"
"Expand"=str(2):"%SystemRoot%\\gone.exe"
"C:\\gone\\count.dll"=dword:0000001a
"Multi"=str(7):"C:\\gone\\m.exe\0other\0"
"Here"="C:\\windows\\notepad.exe"
)"));
        scanner.loadDefinitions(definitionsXml(scanKey("HKEY_LOCAL_MACHINE", "Software\\Vendor")));
        scan();
        ASSERT_EQ(results.registryChanges.size(), 4u);
        // As the engine does when the fix starts; the undo file goes beside its log.
        logFolder.locate("Cleaner");
        localTime.time.tm_year = 2007 - 1900;
        localTime.time.tm_mday = 3;
        localTime.time.tm_wday = 3;
        localTime.time.tm_hour = 9;
        localTime.time.tm_min = 5;
    }

    // Marks the records for these value names as the fix phase would have, with
    // the key written in another letter case.
    void applied(const std::set<std::string>& names) {
        for (RegistryModification& record : results.registryChanges) {
            if (!names.count(record.valueName)) continue;
            record.state.selected = true;
            record.state.applied = true;
            record.subkey = "SOFTWARE\\vendor";
        }
    }

    // The only file written, named after the time of the fix.
    std::string writtenText() {
        EXPECT_EQ(writer.files.size(), 1u);
        if (writer.files.empty()) return "";
        const auto& [path, bytes] = *writer.files.begin();
        EXPECT_EQ(path, "C:\\users\\tester\\Documents\\My Cleaner Logs\\undo from Wed Jan 03 09-05-00 2007.reg");
        // The documents folder was asked for once, by the log folder, not by the scanner.
        EXPECT_EQ(folders.asked, std::vector<int>{platform::file::CSIDL_PERSONAL});
        return fileText(bytes);
    }

    const std::string stamp = "Wed Jan 03 09:05:00 2007";
};

TEST_F(UndoAfterFix, HoldsTheAppliedFindingsInTheOrderFound) {
    applied({"Multi", "Gone", "Expand", "C:\\gone\\count.dll"});
    results.registryChanges[0].state.selected = false;  // chosen, then deselected: not applied
    const std::string skipped = results.registryChanges[0].valueName;
    // A zone record shares the vector and has no finding.
    RegistryModification zone;
    zone.root = ROOT_CURRENT_USER;
    zone.subkey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains\\x.com";
    zone.action = RegistryModification::SET_VALUE;
    zone.valueName = "*";
    zone.state.selected = zone.state.applied = true;
    results.registryChanges.push_back(zone);
    scanner.fixFinished(results);

    const std::vector<std::string> entries = {
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n\"Gone\"=\"C:\\\\gone\\\\app.exe\"\n\n",
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n\"Expand\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6D,00,52,00,6F,"
        "00,6F,00,74,00,25,00,5C,00,67,00,6F,00,6E,00,65,00,2E,00,65,00,78,00,65,00,00,00\n\n",
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n\"C:\\\\gone\\\\count.dll\"=dword:0000001A\n\n",
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n\"Multi\"=hex(7):43,00,3A,00,5C,00,67,00,6F,00,6E,00,65,00,5C,00,6D,00,"
        "2E,00,65,00,78,00,65,00,00,00,6F,00,74,00,68,00,65,00,72,00,00,00,00,00\n\n"};
    std::string expected;
    const std::vector<std::string> names = {"Gone", "Expand", "C:\\gone\\count.dll", "Multi"};
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (names[i] != skipped) expected += entries[i];
    const std::string text = writtenText();
    EXPECT_EQ(text, undoFileHeader(stamp) + expected);
}

TEST_F(UndoAfterFix, NothingAppliedWritesTheHeaderAlone) {
    for (RegistryModification& record : results.registryChanges) record.state.applied = true;  // but none selected
    scanner.fixFinished(results);
    const std::string text = writtenText();
    EXPECT_EQ(text, undoFileHeader(stamp));
}

TEST_F(UndoAfterFix, NoRegistryRecordsNoFile) {
    results.registryChanges.clear();
    scanner.fixFinished(results);
    EXPECT_TRUE(writer.files.empty());
}

TEST_F(UndoAfterFix, AFailedWritePassesOut) {
    applied({"Gone"});
    writer.fail = true;
    EXPECT_THROW(scanner.fixFinished(results), io::filesystem::SaveFileException);
}

}  // namespace
