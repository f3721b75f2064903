#include <gtest/gtest.h>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {
namespace {

TEST(RegistryText, Utf8AndUtf16ConvertBothWaysWithoutLoss) {
    struct Case {
        const char* label;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"ASCII", "C:\\Program Files", u"C:\\Program Files"},
        {"two bytes", "caf\xc3\xa9", u"caf\u00e9"},
        {"three bytes", "\xe2\x82\xac 5", u"\u20ac 5"},
        {"surrogate pair", "\xf0\x9f\x98\x80!", u"\xd83d\xde00!"},
        {"lone high surrogate", "\xed\xa0\xbd", std::u16string(1, char16_t(0xD83D))},
        {"lone low surrogate", "a\xed\xb8\x80", std::u16string(u"a") + char16_t(0xDE00)},
        {"zero inside", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"empty", "", u""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        EXPECT_EQ(utf8ToUtf16(entry.utf8), entry.utf16);
        EXPECT_EQ(utf16ToUtf8(entry.utf16), entry.utf8);
    }
}

TEST(RegistryText, BytesThatAreNotUtf8AreReadAsTheirOwnCodePoints) {
    struct Case {
        const char* label;
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"Latin-1 letter", "caf\xe9", u"caf\u00e9"},
        {"stray continuation", "\x80x", u"\u0080x"},
        {"cut sequence", "\xe2\x82", u"\u00e2\u0082"},
        {"overlong form", "\xc0\xaf", u"\u00c0\u00af"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        EXPECT_EQ(utf8ToUtf16(entry.bytes), entry.expected);
    }
}

TEST(RegistryText, NamesCompareInWinesOrder) {
    struct Case {
        std::u16string left;
        std::u16string right;
        int sign;
    };
    const Case cases[] = {
        {u"abc", u"ABC", 0},
        {u"Software", u"SOFTWARE", 0},
        {u"a", u"ab", -1},
        {u"B", u"a", 1},
        // Compared in lower case: '_' (0x5F) comes before letters, as Wine lists "_iso-2022-jp$SIO" before "ANSI_X3.4-1968".
        {u"_iso-2022-jp$SIO", u"ANSI_X3.4-1968", -1},
        {u"GB_2312-80", u"GBK", -1},
        {u"\u00c4rger", u"\u00e4RGER", 0},
        {u"\u0414\u043e\u043c", u"\u0434\u041e\u041c", 0},
        {u"\u0391", u"\u03b1", 0},
        {u"z", u"\u00e9", -1},
        {u"Geo", u"\xd83c\xdf0e", -1},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(utf16ToUtf8(entry.left) + " / " + utf16ToUtf8(entry.right));
        const int result = compareNames(entry.left, entry.right);
        EXPECT_EQ((result > 0) - (result < 0), entry.sign);
        EXPECT_EQ(sameName(entry.left, entry.right), entry.sign == 0);
    }
}

TEST(RegistryText, StringDataIsUtf16InTheRegistryAndUtf8ForTheProgram) {
    const std::vector<std::uint8_t> stored = {'h', 0, 0xE4, 0, 0xAC, 0x20, 0, 0};
    EXPECT_EQ(narrowData(TYPE_SZ, stored), std::string("h\xc3\xa4\xe2\x82\xac", 6) + '\0');
    EXPECT_EQ(storedData(TYPE_SZ, narrowData(TYPE_SZ, stored)), stored);
    EXPECT_EQ(narrowData(TYPE_MULTI_SZ, {'a', 0, 0, 0, 'b', 0}), std::string("a\0b", 3));
    // An odd final byte is not part of any character.
    EXPECT_EQ(narrowData(TYPE_EXPAND_SZ, {'a', 0, 'b'}), "a");
    // Other types pass as they are.
    EXPECT_EQ(narrowData(TYPE_BINARY, {0xE4, 0}), std::string("\xe4\0", 2));
    EXPECT_EQ(storedData(TYPE_DWORD, std::string("\x01\x02\x03\x04", 4)), (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace windows::registry::tree
