#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>

#include "platform/failure/LastError.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/platform/registry/MemoryRegistryFixture.h"

namespace registry_test {
namespace {

enum class Kind { GENERAL, KEY_NOT_FOUND, VALUE_NOT_FOUND, ACCESS_DENIED, UNEXPECTED_TYPE };

Kind kindOf(const RegistryException& e) {
    if (dynamic_cast<const RegistryKeyNotFoundException*>(&e)) return Kind::KEY_NOT_FOUND;
    if (dynamic_cast<const RegistryValueNotFoundException*>(&e)) return Kind::VALUE_NOT_FOUND;
    if (dynamic_cast<const RegistryAccessDeniedException*>(&e)) return Kind::ACCESS_DENIED;
    if (dynamic_cast<const RegistryUnexpectedTypeException*>(&e)) return Kind::UNEXPECTED_TYPE;
    return Kind::GENERAL;
}

const std::string DENIED = "\n\nSystem error message: Access is denied.\r\n";
const std::string NOT_FOUND = "\n\nSystem error message: The file could not be found.\r\n";
const std::string DELETED = "\n\nSystem error message: The registry key has been marked for deletion.\r\n";
const std::string BAD_PATH = "\n\nSystem error message: The path name is not valid.\r\n";
const std::string TOO_LONG = "\n\nSystem error message: The file name or extension is too long.\r\n";

class RegistryErrorTexts : public MemoryRegistry {
protected:
    void SetUp() override {
        MemoryRegistry::SetUp();
        registry.denyAccess(ROOT_LOCAL_MACHINE, "Software\\Order\\alpha");
        // A key whose own key is deleted behind it.
        _gone = open(ROOT_CURRENT_USER, "Software\\Vendor", ACCESS_ALL);
        const auto software = open(ROOT_CURRENT_USER, "Software");
        registry.createWriter(software.get())->deleteSubkeyTree("Vendor");
    }

    RegistryReader& reader(std::uint32_t root, const std::string& subkey, std::uint32_t access) {
        _keys.push_back(open(root, subkey, access));
        _readers.push_back(registry.createReader(_keys.back().get()));
        return *_readers.back();
    }
    RegistryWriter& writer(std::uint32_t root, const std::string& subkey, std::uint32_t access) {
        _keys.push_back(open(root, subkey, access));
        _writers.push_back(registry.createWriter(_keys.back().get()));
        return *_writers.back();
    }
    RegistryReader& goneReader() {
        _readers.push_back(registry.createReader(_gone.get()));
        return *_readers.back();
    }
    RegistryWriter& goneWriter() {
        _writers.push_back(registry.createWriter(_gone.get()));
        return *_writers.back();
    }

    void TearDown() override {
        _readers.clear();
        _writers.clear();
        _keys.clear();
        _gone.reset();
    }

private:
    std::unique_ptr<RegistryKey> _gone;
    std::vector<std::unique_ptr<RegistryKey>> _keys;
    std::vector<std::unique_ptr<RegistryReader>> _readers;
    std::vector<std::unique_ptr<RegistryWriter>> _writers;
};

TEST_F(RegistryErrorTexts, EachFailureHasItsClassTextAndCode) {
    const std::string vendor = "HKEY_CURRENT_USER\\Software\\Vendor";
    struct Case {
        const char* label;
        std::function<void()> call;
        Kind kind;
        std::string text;
        int code;
    };
    const Case cases[] = {
        {"open denied", [&] { open(ROOT_LOCAL_MACHINE, "Software\\Order\\Alpha"); }, Kind::ACCESS_DENIED,
         "Error when opening a registry key, access is denied. Key: HKEY_LOCAL_MACHINE\\Software\\Order\\Alpha" + DENIED,
         5},
        {"open missing", [&] { open(ROOT_CURRENT_USER, "Software\\Nope"); }, Kind::KEY_NOT_FOUND,
         "Error when opening a registry key, the key doesn't exist. Key: HKEY_CURRENT_USER\\Software\\Nope" + NOT_FOUND, 2},
        {"open other", [&] { open(ROOT_LOCAL_MACHINE, "\\Software"); }, Kind::GENERAL,
         "Error when opening a registry key. Key: HKEY_LOCAL_MACHINE\\\\Software" + BAD_PATH, 161},
        {"create denied", [&] { writer(ROOT_USERS, "", ACCESS_CREATE_SUB_KEY).createSubkey("S-1-5-18", 0); },
         Kind::ACCESS_DENIED, "Error when creating a registry key, access is denied. Key: HKEY_USERS\\S-1-5-18" + DENIED, 5},
        {"create denied key", [&] { writer(ROOT_LOCAL_MACHINE, "Software\\Order", 0).createSubkey("alpha", 0); },
         Kind::ACCESS_DENIED,
         "Error when creating a registry key, access is denied. Key: HKEY_LOCAL_MACHINE\\Software\\Order\\alpha" + DENIED, 5},
        {"create other", [&] { writer(ROOT_CURRENT_USER, "Software", 0).createSubkey(std::string(256, 'k'), 0); },
         Kind::GENERAL, "Error when creating a registry key. Key: HKEY_CURRENT_USER\\Software\\" + std::string(256, 'k') + TOO_LONG,
         206},
        {"read denied", [&] { reader(ROOT_LOCAL_MACHINE, "Software\\Values", ACCESS_SET_VALUE).readValue("s"); },
         Kind::ACCESS_DENIED,
         "Error when reading a registry key, access is denied. Entry: 'HKEY_LOCAL_MACHINE\\Software\\Values\\s'" + DENIED, 5},
        {"read missing", [&] { reader(ROOT_LOCAL_MACHINE, "Software\\Values", ACCESS_READ).readValue("nope"); },
         Kind::VALUE_NOT_FOUND,
         "Error when reading a registry key, the value doesn't exist. Entry: 'HKEY_LOCAL_MACHINE\\Software\\Values\\nope'" +
             NOT_FOUND,
         2},
        {"read missing default", [&] { reader(ROOT_CURRENT_USER, "Environment", ACCESS_READ).readValue(""); },
         Kind::VALUE_NOT_FOUND,
         "Error when reading a registry key, the value doesn't exist. Entry: 'HKEY_CURRENT_USER\\Environment\\'" +
             NOT_FOUND,
         2},
        {"read other", [&] { goneReader().readValue("x1"); }, Kind::GENERAL,
         "Error when reading a registry key. Entry: '" + vendor + "\\x1'" + DELETED, 1018},
        {"exists other", [&] { goneReader().valueExists("x1"); }, Kind::GENERAL,
         "Error when reading a registry key. Entry: '" + vendor + "\\x1'" + DELETED, 1018},
        {"unsupported type", [&] { reader(ROOT_LOCAL_MACHINE, "Software\\Values", ACCESS_READ).readValue("q"); },
         Kind::UNEXPECTED_TYPE,
         "An unsupported registry type was encountered.\nThe actual type was 11.\nProblem occured with "
         "key:HKEY_LOCAL_MACHINE\\Software\\Values\\q\n",
         -1},
        {"subkeys denied", [&] { reader(ROOT_LOCAL_MACHINE, "Software", ACCESS_QUERY_VALUE).enumSubkeys(); },
         Kind::ACCESS_DENIED,
         "Error when enumerating a registry key using 'RegEnumKey', access is denied. Entry: 'HKEY_LOCAL_MACHINE\\Software'" +
             DENIED,
         5},
        {"subkeys other", [&] { goneReader().enumSubkeys(); }, Kind::GENERAL,
         "Error when enumerating a registry key using 'RegEnumKey'. Entry: '" + vendor + "'" + DELETED, 1018},
        {"values denied", [&] { reader(ROOT_LOCAL_MACHINE, "Software", ACCESS_ENUMERATE_SUB_KEYS).enumValues(); },
         Kind::GENERAL,
         "Error when getting the max data length. Using 'RegQueryInfoKey'. Entry: 'HKEY_LOCAL_MACHINE\\Software'" + DENIED, 5},
        {"value names other", [&] { goneReader().valueNames(); }, Kind::GENERAL,
         "Error when getting the max data length. Using 'RegQueryInfoKey'. Entry: '" + vendor + "'" + DELETED, 1018},
        {"set denied", [&] { writer(ROOT_CURRENT_USER, "Environment", ACCESS_READ).setString("TEMP", "x"); },
         Kind::ACCESS_DENIED,
         "Error when setting a registry value, access is denied. Value: 'HKEY_CURRENT_USER\\Environment\\TEMP'" + DENIED, 5},
        {"set other", [&] { goneWriter().setDword("x1", 1u, TYPE_DWORD); }, Kind::GENERAL,
         "Error when setting a registry value. Value: '" + vendor + "\\x1'" + DELETED, 1018},
        {"delete value denied", [&] { writer(ROOT_CURRENT_USER, "Environment", ACCESS_READ).deleteValue("TEMP"); },
         Kind::ACCESS_DENIED,
         "Error deleting the 'TEMP' registry value. Access is denied. The value is located under the : "
         "'HKEY_CURRENT_USER\\Environment' registry key." + DENIED,
         5},
        {"delete value missing", [&] { writer(ROOT_CURRENT_USER, "Environment", ACCESS_SET_VALUE).deleteValue("TMP"); },
         Kind::VALUE_NOT_FOUND,
         "Error when deleteing the registry value. The value did not exist. Entry: 'HKEY_CURRENT_USER\\Environment\\TMP'" +
             NOT_FOUND,
         2},
        {"delete value other", [&] { goneWriter().deleteValue("x1"); }, Kind::GENERAL,
         "Error when deleteing a value. Entry: '" + vendor + "\\x1'" + DELETED, 1018},
        {"delete tree missing", [&] { writer(ROOT_CURRENT_USER, "Software", ACCESS_READ).deleteSubkeyTree("Nope"); },
         Kind::KEY_NOT_FOUND,
         "Error when deleting the 'Nope' registry key using 'SHDeleteKey'. The key did not exist. Complete key: "
         "'HKEY_CURRENT_USER\\Software'" + NOT_FOUND,
         2},
        {"delete tree other", [&] { writer(ROOT_USERS, "", ACCESS_READ).deleteSubkeyTree(".Default"); }, Kind::GENERAL,
         "Error when deleting the '.Default' registry key using 'SHDeleteKey'. Entry: 'HKEY_USERS'" + DENIED, 5},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        platform::setLastError(0);
        try {
            entry.call();
            ADD_FAILURE() << "no exception";
        } catch (const RegistryException& e) {
            EXPECT_EQ(e.getMessage(), entry.text);
            EXPECT_EQ(kindOf(e), entry.kind);
            if (entry.code >= 0) {
                EXPECT_EQ(platform::getLastError(), entry.code);
            }
        }
    }
}

}  // namespace
}  // namespace registry_test
