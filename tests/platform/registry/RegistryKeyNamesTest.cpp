#include <gtest/gtest.h>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryKeyNames.h"

namespace windows::registry {
namespace {

struct RootCase {
    std::uint32_t root;
    const char* longName;
    const char* shortName;
};

const RootCase ROOTS[] = {
    {0x80000000u, "HKEY_CLASSES_ROOT", "HKCR"},     {0x80000001u, "HKEY_CURRENT_USER", "HKCU"},
    {0x80000002u, "HKEY_LOCAL_MACHINE", "HKLM"},    {0x80000003u, "HKEY_USERS", "HKUS"},
    {0x80000004u, "HKEY_PERFORMANCE_DATA", "HKPD"}, {0x80000005u, "HKEY_CURRENT_CONFIG", "HKCC"},
    {0x80000006u, "HKEY_DYN_DATA", "HKDD"},
};

TEST(RegistryKeyNames, ConvertsEveryRootBothWaysWithLongAndShortNames) {
    const RegistryKeyNames longNames(false);
    const RegistryKeyNames shortNames(true);
    for (const auto& entry : ROOTS) {
        SCOPED_TRACE(entry.longName);
        EXPECT_EQ(longNames.keyToString(entry.root), entry.longName);
        EXPECT_EQ(longNames.stringToKey(entry.longName), entry.root);
        EXPECT_EQ(shortNames.keyToString(entry.root), entry.shortName);
        EXPECT_EQ(shortNames.stringToKey(entry.shortName), entry.root);
    }
    EXPECT_EQ(ROOT_USERS, 0x80000003u);
}

TEST(RegistryKeyNames, UnknownHandlesAndNamesAreRefusedWithTheirTexts) {
    struct NameCase {
        bool shortNames;
        const char* name;
    };
    // Lookup is exact: another case, the other table, or Windows' own "HKU" are unknown.
    const NameCase unknownNames[] = {{true, "HKU"},  {false, "hkey_users"}, {false, "HKLM"},
                                     {true, "HKEY_USERS"}, {false, ""},     {false, "HKEY_LOCAL_MACHINE "}};
    for (const auto& entry : unknownNames) {
        SCOPED_TRACE(entry.name);
        try {
            RegistryKeyNames(entry.shortNames).stringToKey(entry.name);
            ADD_FAILURE() << "no exception";
        } catch (const RegistryException& e) {
            EXPECT_EQ(e.getMessage(), std::string("Unable to convert the string '") + entry.name + "' to a registry key.");
        }
    }
    const std::pair<std::uint32_t, const char*> unknownHandles[] = {
        {0x80000007u, "80000007"}, {0x0u, "00000000"}, {0x7FFFFFFFu, "7FFFFFFF"}, {0xABCDEF12u, "ABCDEF12"}};
    for (const auto& [handle, printed] : unknownHandles) {
        SCOPED_TRACE(printed);
        try {
            RegistryKeyNames(false).keyToString(handle);
            ADD_FAILURE() << "no exception";
        } catch (const RegistryException& e) {
            EXPECT_EQ(e.getMessage(), std::string("Unable to convert the key '") + printed + "' to a registry key string.");
        }
    }
}

}  // namespace
}  // namespace windows::registry
