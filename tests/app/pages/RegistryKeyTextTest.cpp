#include <gtest/gtest.h>

#include <string>

#include "app/pages/RegistryKeyText.h"

namespace {

using com::quorvex::products::tamblix::pages::registryKeyDisplayText;

TEST(RegistryKeyText, ShortRootNamesThenTheMiddleCutOut) {
    struct Case {
        std::string fullKey;
        std::string shown;
    };
    const Case cases[] = {
        // A class id key: the first 9 characters, " .. ", the last 32.
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{6BF52A52-394A-11D3-B153-00C04F79FAA6}",
         "HKLM\\SOFT .. A52-394A-11D3-B153-00C04F79FAA6}"},
        {"HKEY_CLASSES_ROOT\\abcdefghijklmnopqrstuvwxyz0123456789ABCD",
         "HKCR\\abcd .. ijklmnopqrstuvwxyz0123456789ABCD"},
        // 41 characters: the cut only inserts.
        {"HKEY_USERS\\" + std::string(36, 'x'), "HKUS\\xxxx .. " + std::string(32, 'x')},
        // 40 characters and fewer are shown whole.
        {"HKEY_CURRENT_USER\\" + std::string(35, 'y'), "HKCU\\" + std::string(35, 'y')},
        {"HKEY_CURRENT_USER\\Software", "HKCU\\Software"},
        {"HKEY_CURRENT_CONFIG\\a", "HKCC\\a"},
        {"HKEY_PERFORMANCE_DATA\\a", "HKPD\\a"},
        {"HKEY_DYN_DATA\\a", "HKDD\\a"},
        // Every occurrence of a root name with its backslash is shortened.
        {"HKEY_CURRENT_USER\\HKEY_LOCAL_MACHINE\\x", "HKCU\\HKLM\\x"},
        {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fullKey);
        EXPECT_EQ(registryKeyDisplayText(c.fullKey), c.shown);
    }
}

// Key names are UTF-8 here; the cut counts letters, so none is split in two.
TEST(RegistryKeyText, CutsBetweenLettersOfMoreThanOneByte) {
    std::string accents;
    for (int i = 0; i < 40; ++i) accents += "\xc3\xa9";  // e acute
    const std::string head = "HKCU\\\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9";
    std::string tail;
    for (int i = 0; i < 32; ++i) tail += "\xc3\xa9";
    EXPECT_EQ(registryKeyDisplayText("HKEY_CURRENT_USER\\" + accents), head + " .. " + tail);
    // A byte that starts no letter counts as one character.
    EXPECT_EQ(registryKeyDisplayText("HKEY_CURRENT_USER\\\xff" + std::string(40, 'z')),
              "HKCU\\\xffzzz .. " + std::string(32, 'z'));
}

}  // namespace
