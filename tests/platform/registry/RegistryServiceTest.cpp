#include <gtest/gtest.h>

#include <thread>

#include "platform/failure/LastError.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/platform/registry/MemoryRegistryFixture.h"
#include "tests/support/TempDir.h"

namespace registry_test {
namespace {

using testing_support::TempDir;
using testing_support::WorkingDirectory;
using namespace std::string_literals;

TEST_F(MemoryRegistry, RootsMapOntoTheirHives) {
    struct Case {
        std::uint32_t root;
        std::string subkey;
        std::string fullName;
        std::string value;
        RegistryData expected;
    };
    const Case cases[] = {
        {ROOT_CLASSES_ROOT, ".txt", "HKEY_CLASSES_ROOT\\.txt", "", RegistryData("txtfile"s)},
        {ROOT_LOCAL_MACHINE, "Software\\Classes\\.txt", "HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt", "",
         RegistryData("txtfile"s)},
        {ROOT_CURRENT_CONFIG, "Software\\Fonts", "HKEY_CURRENT_CONFIG\\Software\\Fonts", "LogPixels", RegistryData(96u)},
        {ROOT_LOCAL_MACHINE, "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
         "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", "LogPixels",
         RegistryData(96u)},
        {ROOT_CURRENT_USER, "Software\\Vendor", "HKEY_CURRENT_USER\\Software\\Vendor", "x1", RegistryData(100u)},
        {ROOT_USERS, "S-1-5-21-0-0-0-1000\\Software\\Vendor", "HKEY_USERS\\S-1-5-21-0-0-0-1000\\Software\\Vendor", "x1",
         RegistryData(100u)},
        {ROOT_USERS, ".default\\Control Panel\\Desktop", "HKEY_USERS\\.default\\Control Panel\\Desktop", "Wallpaper",
         RegistryData("none"s)},
        {ROOT_LOCAL_MACHINE, "Software\\ToUser\\Vendor", "HKEY_LOCAL_MACHINE\\Software\\ToUser\\Vendor", "x1",
         RegistryData(100u)},
        {ROOT_LOCAL_MACHINE, "SOFTWARE\\classes\\.TXT\\", "HKEY_LOCAL_MACHINE\\SOFTWARE\\classes\\.TXT\\", "",
         RegistryData("txtfile"s)},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.fullName);
        const auto key = open(entry.root, entry.subkey);
        EXPECT_EQ(key->getFullName(), entry.fullName);
        EXPECT_EQ(key->getRoot(), entry.root);
        EXPECT_EQ(key->getSubkey(), entry.subkey);
        EXPECT_TRUE(registry.createReader(key.get())->readValue(entry.value) == entry.expected);
    }
    EXPECT_EQ(open(ROOT_LOCAL_MACHINE, "")->getFullName(), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(open(ROOT_CLASSES_ROOT, "")->getFullName(), "HKEY_CLASSES_ROOT");
}

TEST_F(MemoryRegistry, UsersHoldsTheUserHivesAndTwoRootsDoNotExist) {
    EXPECT_EQ(subkeys(ROOT_USERS, ""), (std::list<std::string>{".Default", "S-1-5-21-0-0-0-1000"}));
    const auto users = open(ROOT_USERS, "");
    EXPECT_TRUE(registry.createReader(users.get())->enumValues().empty());
    EXPECT_FALSE(exists(ROOT_USERS, "S-1-5-18"));
    EXPECT_FALSE(exists(ROOT_PERFORMANCE_DATA, ""));
    EXPECT_FALSE(exists(ROOT_DYN_DATA, "Config Manager"));
    EXPECT_THROW(open(0x80000007u, ""), RegistryException);
}

TEST_F(MemoryRegistry, LinksThatLeadNowhereOrInCirclesAreMissingKeys) {
    EXPECT_FALSE(exists(ROOT_LOCAL_MACHINE, "Software\\Dangling"));
    EXPECT_FALSE(exists(ROOT_LOCAL_MACHINE, "Software\\Elsewhere"));
    EXPECT_FALSE(exists(ROOT_LOCAL_MACHINE, "Software\\Loop"));
    EXPECT_FALSE(exists(ROOT_LOCAL_MACHINE, "Software\\Loop\\Loop\\Loop"));
    // The link itself is still listed, as Windows lists it.
    const auto listed = subkeys(ROOT_LOCAL_MACHINE, "Software");
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Loop"), listed.end());
}

TEST_F(MemoryRegistry, ChangesThroughALinkLandOnItsTargetAndDeletingALinkKeepsTheTarget) {
    {
        const auto config = open(ROOT_CURRENT_CONFIG, "Software", ACCESS_ALL);
        registry.createWriter(config.get())->createSubkey("Added", 0);
    }
    EXPECT_TRUE(exists(ROOT_LOCAL_MACHINE, "System\\ControlSet001\\Hardware Profiles\\Current\\Software\\Added"));
    {
        const auto system = open(ROOT_LOCAL_MACHINE, "System");
        registry.createWriter(system.get())->deleteSubkeyTree("CurrentControlSet");
    }
    EXPECT_FALSE(exists(ROOT_CURRENT_CONFIG, ""));
    EXPECT_TRUE(exists(ROOT_LOCAL_MACHINE, "System\\ControlSet001\\Hardware Profiles\\Current\\Software\\Fonts"));
}

TEST_F(MemoryRegistry, ValuesAreEnumeratedInFileOrderWithSupportedTypesOnly) {
    const auto key = open(ROOT_LOCAL_MACHINE, "Software\\Values");
    const auto reader = registry.createReader(key.get());
    const auto values = reader->enumValues();
    EXPECT_EQ(platform::getLastError(), platform::winerror::NO_MORE_ITEMS);
    const std::vector<std::pair<std::string, RegistryData>> expected = {
        {"s", RegistryData("text"s)},
        {"e", RegistryData("C:\\windows\\notepad.exe"s)},
        {"m", RegistryData("a\0b\0"s)},
        {"d", RegistryData(42u)},
        {"d3", RegistryData()},
        {"b", RegistryData(std::vector<std::uint8_t>{0x0a, 0xff})},
        {"\xc3\xa9t\xc3\xa9", RegistryData("summer"s)},
    };
    ASSERT_EQ(values.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(values[i].first, expected[i].first);
        EXPECT_TRUE(values[i].second == expected[i].second);
    }
    EXPECT_EQ(reader->valueNames(), (std::list<std::string>{"s", "e", "m", "d", "d3", "b", "\xc3\xa9t\xc3\xa9"}));
    // The QWORD value exists but cannot be read.
    EXPECT_TRUE(reader->valueExists("q"));
    EXPECT_THROW(reader->readValue("q"), RegistryUnexpectedTypeException);
    EXPECT_TRUE(reader->valueExists("\xc3\x89T\xc3\x89"));
    EXPECT_FALSE(reader->valueExists("missing"));
    EXPECT_EQ(reader->readValue("S").getString(), "text");
}

TEST_F(MemoryRegistry, StoredValuesAreReadRawAndNamesAreListedWithoutConversion) {
    const auto key = open(ROOT_LOCAL_MACHINE, "Software\\Values");
    const auto reader = registry.createReader(key.get());
    const auto bytesOf = [](const std::u16string& text) {
        std::vector<std::uint8_t> bytes;
        for (const char16_t unit : text) bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
        return bytes;
    };
    struct Case {
        std::string name;
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"s", TYPE_SZ, bytesOf(u"text"s + u'\0')},
        {"E", TYPE_EXPAND_SZ, bytesOf(u"%SystemRoot%\\notepad.exe"s + u'\0')},
        {"m", TYPE_MULTI_SZ, bytesOf(u"a\0b\0\0"s)},
        {"d3", TYPE_DWORD, {1, 2, 3}},
        {"q", TYPE_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"\xc3\xa9t\xc3\xa9", TYPE_SZ, bytesOf(u"summer"s + u'\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StoredRegistryValue value = reader->readRawValue(c.name);
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.bytes, c.bytes);
    }
    EXPECT_THROW(reader->readRawValue("missing"), RegistryValueNotFoundException);

    // A value too long to expand fails the enumeration, not the list of names.
    registry.importHive(HiveId::USER, header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") +
                                          registry_test::key("Software\\\\Long", "\"a\"=\"1\"\n\"huge\"=str(2):\"%" +
                                                                       std::string(40000, 'x') + "\"\n"));
    const auto longKey = open(ROOT_CURRENT_USER, "Software\\Long");
    const auto longReader = registry.createReader(longKey.get());
    EXPECT_THROW(longReader->enumValues(), windows::info::BufferExpandException);
    EXPECT_EQ(longReader->valueNames(), (std::list<std::string>{"a", "huge"}));
    EXPECT_EQ(longReader->readRawValue("huge").bytes.size(), 2u * 40002);
}

TEST_F(MemoryRegistry, SubkeysAreEnumeratedInWinesOrderAndNewOnesTakeTheirPlace) {
    EXPECT_EQ(subkeys(ROOT_LOCAL_MACHINE, "Software\\Order"), (std::list<std::string>{"_under", "alpha", "Beta", "gamma"}));
    EXPECT_EQ(platform::getLastError(), platform::winerror::NO_MORE_ITEMS);
    {
        const auto order = open(ROOT_LOCAL_MACHINE, "Software\\Order");
        registry.createWriter(order.get())->createSubkey("Delta", 0);
        registry.createWriter(order.get())->createSubkey("ALPHA", 0);
    }
    EXPECT_EQ(subkeys(ROOT_LOCAL_MACHINE, "Software\\Order"),
              (std::list<std::string>{"_under", "alpha", "Beta", "Delta", "gamma"}));
}

TEST_F(MemoryRegistry, NamesBeyondAsciiAreFoundWithCaseIgnoredAsWineIgnoresIt) {
    // Keys as Wine lists them: i, R\u00e9sum\u00e9, \u0130 (which Windows keeps apart from i), \u01c4.
    registry.importHive(HiveId::USER, userHive() + key("Software\\\\Names\\\\istanbul", "\"which\"=\"plain\"\n") +
                                          key("Software\\\\Names\\\\R\\x00e9sum\\x00e9", "\"\\x01c4\"=\"DZ\"\n") +
                                          key("Software\\\\Names\\\\\\x0130stanbul", "\"which\"=\"dotted\"\n") +
                                          key("Software\\\\Names\\\\\\x01c4ungla", "\"which\"=\"jungle\"\n"));
    EXPECT_EQ(subkeys(ROOT_CURRENT_USER, "Software\\Names"),
              (std::list<std::string>{"istanbul", "R\xc3\xa9sum\xc3\xa9", "\xc4\xb0stanbul", "\xc7\x84ungla"}));
    EXPECT_EQ(read(ROOT_CURRENT_USER, "SOFTWARE\\NAMES\\\xc7\x86UNGLA", "which").getString(), "jungle");
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Names\\\xc4\xb0STANBUL", "which").getString(), "dotted");
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Names\\ISTANBUL", "which").getString(), "plain");
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Names\\R\xc3\x89SUM\xc3\x89", "\xc7\x86").getString(), "DZ");
    EXPECT_FALSE(exists(ROOT_CURRENT_USER, "Software\\Names\\\xc4\xb1stanbul"));  // dotless \u0131
    {
        // A new key takes its place in Wine's order; one that differs only in case is the same key.
        const auto names = open(ROOT_CURRENT_USER, "Software\\Names", ACCESS_CREATE_SUB_KEY);
        registry.createWriter(names.get())->createSubkey("\xc7\x86UNGLA", 0);
        registry.createWriter(names.get())->createSubkey("\xe2\xb0\x80", 0);  // Glagolitic \u2c00
        registry.createWriter(names.get())->createSubkey("\xe2\xb0\xb0", 0);  // its small letter
        registry.createWriter(names.get())->createSubkey("\xc8\xba", 0);      // \u023a, small letter \u2c65
    }
    EXPECT_EQ(subkeys(ROOT_CURRENT_USER, "Software\\Names"),
              (std::list<std::string>{"istanbul", "R\xc3\xa9sum\xc3\xa9", "\xc4\xb0stanbul", "\xc7\x84ungla",
                                      "\xe2\xb0\x80", "\xc8\xba"}));
}

TEST_F(MemoryRegistry, WrittenValuesAreStoredWithTheirTypes) {
    {
        const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        const auto writer = registry.createWriter(vendor.get());
        writer->setString("name \xc3\xa9", "C:\\Programme\\\xe2\x82\xac.exe");
        writer->setDword("x1", 0x01020304u, TYPE_DWORD);
        writer->setDword("bin", 0x0A0B0C0Du, TYPE_BINARY);
        writer->setDword("big", 1u, TYPE_DWORD_BIG_ENDIAN);
        writer->setValue("text", RegistryData("from data"s));
        writer->setValue("number", RegistryData(7u));
        writer->setString("", "default");
    }
    const std::string exported = registry.exportHive(HiveId::USER);
    EXPECT_NE(exported.find("\n[Software\\\\Vendor] "), std::string::npos);
    const char* lines[] = {"\n@=\"default\"\n", "\n\"big\"=hex(5):01,00,00,00\n", "\n\"bin\"=hex:0d,0c,0b,0a\n",
                           "\n\"name \\xe9\"=\"C:\\\\Programme\\\\\\x20ac.exe\"\n", "\n\"number\"=dword:00000007\n",
                           "\n\"text\"=\"from data\"\n", "\n\"x1\"=dword:01020304\n"};
    for (const char* line : lines) EXPECT_NE(exported.find(line), std::string::npos) << line;
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Vendor", "NAME \xc3\x89").getString(), "C:\\Programme\\\xe2\x82\xac.exe");
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Vendor", "bin").getBinary(), (std::vector<std::uint8_t>{13, 12, 11, 10}));
}

TEST_F(MemoryRegistry, WritingOtherDataIsAnInternalErrorAndWritesNothing) {
    TempDir scratch;
    WorkingDirectory inScratch(scratch.path());
    const std::string before = registry.exportHive(HiveId::USER);
    const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
    const auto writer = registry.createWriter(vendor.get());
    EXPECT_THROW(writer->setValue("b", RegistryData(std::vector<std::uint8_t>{1})), RegistryException);
    EXPECT_THROW(writer->setValue("i", RegistryData()), RegistryException);
    EXPECT_THROW(writer->setDword("s", 1u, TYPE_SZ), RegistryException);
    EXPECT_EQ(registry.exportHive(HiveId::USER), before);
    EXPECT_NE(scratch.read("assertion.txt").find("Assertion failed."), std::string::npos);
}

TEST_F(MemoryRegistry, SubkeysAreCreatedBelowTheKeyAndDirectlyBelowARoot) {
    const auto root = open(ROOT_CURRENT_USER, "", ACCESS_CREATE_SUB_KEY);
    const auto made = registry.createWriter(root.get())->createSubkey("Fresh", 0);
    // Directly below a root the new key's path is its name alone.
    EXPECT_EQ(made->getSubkey(), "Fresh");
    EXPECT_EQ(made->getFullName(), "HKEY_CURRENT_USER\\Fresh");
    const auto a = open(ROOT_CURRENT_USER, "Software", ACCESS_CREATE_SUB_KEY);
    const auto nested = registry.createWriter(a.get())->createSubkey("A\\B", ACCESS_READ);
    EXPECT_EQ(nested->getFullName(), "HKEY_CURRENT_USER\\Software\\A\\B");
    EXPECT_TRUE(exists(ROOT_CURRENT_USER, "Software\\a\\b"));
    // An existing key is opened as it is.
    const auto again = registry.createWriter(a.get())->createSubkey("vendor", ACCESS_READ);
    EXPECT_EQ(registry.createReader(again.get())->readValue("x1").getDword(), 100u);
}

TEST_F(MemoryRegistry, ValuesAndSubkeyTreesAreDeleted) {
    {
        const auto software = open(ROOT_LOCAL_MACHINE, "Software", ACCESS_SET_VALUE);
        const auto writer = registry.createWriter(software.get());
        writer->deleteSubkeyTree("classes\\CLSID");
        writer->deleteSubkeyTree("Order\\Beta");
    }
    EXPECT_FALSE(exists(ROOT_CLASSES_ROOT, "CLSID\\{0001}\\InprocServer32"));
    EXPECT_FALSE(exists(ROOT_CLASSES_ROOT, "CLSID"));
    EXPECT_TRUE(exists(ROOT_CLASSES_ROOT, ".txt"));
    EXPECT_EQ(subkeys(ROOT_LOCAL_MACHINE, "Software\\Order"), (std::list<std::string>{"_under", "alpha", "gamma"}));
    {
        const auto values = open(ROOT_LOCAL_MACHINE, "Software\\Values", ACCESS_SET_VALUE | ACCESS_QUERY_VALUE);
        registry.createWriter(values.get())->deleteValue("S");
        EXPECT_FALSE(registry.createReader(values.get())->valueExists("s"));
        // An empty name deletes the key itself.
        registry.createWriter(values.get())->deleteSubkeyTree("");
    }
    EXPECT_FALSE(exists(ROOT_LOCAL_MACHINE, "Software\\Values"));
}

TEST_F(MemoryRegistry, HiveRootsCannotBeDeleted) {
    const auto users = open(ROOT_USERS, "");
    EXPECT_THROW(registry.createWriter(users.get())->deleteSubkeyTree(".Default"), RegistryException);
    const auto machine = open(ROOT_LOCAL_MACHINE, "");
    EXPECT_THROW(registry.createWriter(machine.get())->deleteSubkeyTree(""), RegistryException);
    EXPECT_EQ(platform::getLastError(), platform::winerror::ACCESS_DENIED);
    EXPECT_TRUE(exists(ROOT_USERS, ".Default\\Control Panel"));
}

TEST_F(MemoryRegistry, EachOperationNeedsItsAccessRight) {
    struct Case {
        const char* label;
        std::uint32_t access;
        bool canRead;
        bool canEnumerate;
        bool canSet;
    };
    const Case cases[] = {
        {"read", ACCESS_READ, true, true, false},
        {"set value", ACCESS_SET_VALUE, false, false, true},
        {"query value", ACCESS_QUERY_VALUE, true, false, false},
        {"enumerate", ACCESS_ENUMERATE_SUB_KEYS, false, true, false},
        {"create subkey", ACCESS_CREATE_SUB_KEY, false, false, false},
        {"nothing", 0, false, false, false},
        {"all", ACCESS_ALL, true, true, true},
        {"generic read", ACCESS_GENERIC_READ, true, true, false},
        {"generic write", ACCESS_GENERIC_WRITE, false, false, true},
        {"maximum allowed", ACCESS_MAXIMUM_ALLOWED, true, true, true},
    };
    const auto succeeds = [](const std::function<void()>& call) {
        try {
            call();
            return true;
        } catch (const RegistryAccessDeniedException&) {
            return false;
        } catch (const RegistryException&) {
            // Enumerating values without the right fails with the general class.
            return platform::getLastError() != platform::winerror::ACCESS_DENIED;
        }
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        const auto key = open(ROOT_CURRENT_USER, "Software\\Vendor", entry.access);
        const auto reader = registry.createReader(key.get());
        const auto writer = registry.createWriter(key.get());
        EXPECT_EQ(succeeds([&] { reader->readValue("x1"); }), entry.canRead);
        EXPECT_EQ(succeeds([&] { reader->valueExists("x1"); }), entry.canRead);
        EXPECT_EQ(succeeds([&] { reader->enumValues(); }), entry.canRead);
        EXPECT_EQ(succeeds([&] { reader->enumSubkeys(); }), entry.canEnumerate);
        EXPECT_EQ(succeeds([&] { writer->setDword("x1", 5u, TYPE_DWORD); }), entry.canSet);
        EXPECT_EQ(succeeds([&] { writer->deleteValue("none"); }), entry.canSet)
            << "a missing value is reported once the right is there";
    }
}

TEST_F(MemoryRegistry, AKeyDeletedThroughAnotherHandleReportsItsDeletion) {
    const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_ALL);
    {
        const auto software = open(ROOT_CURRENT_USER, "Software");
        registry.createWriter(software.get())->deleteSubkeyTree("Vendor");
    }
    const auto reader = registry.createReader(vendor.get());
    const auto writer = registry.createWriter(vendor.get());
    EXPECT_THROW(reader->readValue("x1"), RegistryException);
    EXPECT_EQ(platform::getLastError(), platform::winerror::KEY_DELETED);
    EXPECT_THROW(reader->enumSubkeys(), RegistryException);
    EXPECT_THROW(reader->enumValues(), RegistryException);
    EXPECT_THROW(writer->setString("a", "b"), RegistryException);
    EXPECT_EQ(platform::getLastError(), platform::winerror::KEY_DELETED);
    EXPECT_FALSE(exists(ROOT_CURRENT_USER, "Software\\Vendor"));
}

TEST_F(MemoryRegistry, AModificationIsStoredWhenItsKeyIsClosed) {
    {
        const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        const auto writer = registry.createWriter(vendor.get());
        writer->setDword("x1", 100u, TYPE_DWORD);  // the value it already has
        writer->setDword("x2", 1u, TYPE_DWORD);
        writer->setDword("x3", 2u, TYPE_DWORD);
        EXPECT_EQ(registry.commits(HiveId::USER), 0);
    }
    EXPECT_EQ(registry.commits(HiveId::USER), 1);
    {
        const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_SET_VALUE);
        registry.createWriter(vendor.get())->setDword("x2", 1u, TYPE_DWORD);
    }
    EXPECT_EQ(registry.commits(HiveId::USER), 1) << "nothing changed, nothing is stored";
    EXPECT_EQ(registry.commits(HiveId::MACHINE), 0);
}

TEST_F(MemoryRegistry, ARegistryThatRefusesChangesChangesNothing) {
    registry.setReadOnly(true);
    const std::string before = registry.exportHive(HiveId::USER);
    const auto vendor = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_ALL);
    const auto writer = registry.createWriter(vendor.get());
    EXPECT_THROW(writer->setDword("x1", 1u, TYPE_DWORD), RegistryAccessDeniedException);
    EXPECT_THROW(writer->createSubkey("New", 0), RegistryAccessDeniedException);
    EXPECT_THROW(writer->deleteValue("x1"), RegistryAccessDeniedException);
    EXPECT_THROW(writer->deleteSubkeyTree(""), RegistryException);
    // Nothing to change: the value already holds the data.
    writer->setDword("x1", 100u, TYPE_DWORD);
    EXPECT_EQ(registry.exportHive(HiveId::USER), before);
}

TEST_F(MemoryRegistry, KeysMayBeUsedFromSeveralThreads) {
    const auto work = [this](const std::string& name) {
        for (int i = 0; i < 200; ++i) {
            const auto key = registry.openKey(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_ALL);
            registry.createWriter(key.get())->setDword(name, static_cast<std::uint32_t>(i), TYPE_DWORD);
            registry.createReader(key.get())->enumValues();
        }
    };
    std::thread first(work, "first");
    std::thread second(work, "second");
    first.join();
    second.join();
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Vendor", "first").getDword(), 199u);
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Vendor", "second").getDword(), 199u);
}

}  // namespace
}  // namespace registry_test
