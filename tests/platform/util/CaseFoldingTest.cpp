#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/util/CaseFolding.h"
#include "platform/util/CaseFoldingTable.h"
#include "platform/util/Utf8.h"

namespace {

using util::foldCase;
using util::sameIgnoringCase;

TEST(CaseFolding, NamesAreTheSameAsWindowsIgnoresCase) {
    struct Case {
        const char* what;
        std::string left;
        std::string right;
        bool same;
    };
    const Case cases[] = {
        {"ASCII", "Program Files", "PROGRAM FILES", true},
        {"ASCII punctuation is no letter", "[x]", "{x}", false},
        {"Latin-1", "R\xc3\xa9sum\xc3\xa9.txt", "R\xc3\x89SUM\xc3\x89.TXT", true},
        {"y with diaeresis and its capital beyond Latin-1", "\xc3\xbf", "\xc5\xb8", true},
        {"capital and small sigma", "\xce\xa3", "\xcf\x83", true},
        {"final sigma and capital sigma", "\xcf\x82", "\xce\xa3", false},
        {"final sigma and small sigma", "\xcf\x82", "\xcf\x83", false},
        {"sharp s and SS", "stra\xc3\x9f" "e", "STRASSE", false},
        {"sharp s and ss", "\xc3\x9f", "ss", false},
        {"sharp s and capital sharp s", "\xc3\x9f", "\xe1\xba\x9e", false},
        {"dotless i and I", "\xc4\xb1", "I", false},
        {"dotless i and i", "\xc4\xb1", "i", false},
        {"dotted capital I and i", "\xc4\xb0", "i", false},
        {"i and I", "i", "I", true},
        {"Kelvin sign and k", "\xe2\x84\xaa", "k", false},
        {"micro sign and mu", "\xc2\xb5", "\xce\xbc", false},
        {"title-case Dz and dz", "\xc7\x85", "\xc7\x86", false},
        {"capital DZ and dz", "\xc7\x84", "\xc7\x86", true},
        {"Cherokee, whose folding goes to the capital", "\xe1\x8e\xa0", "\xea\xad\xb0", true},
        {"a letter whose small form is longer in UTF-8", "\xc8\xba", "\xe2\xb1\xa5", true},
        {"Cyrillic", "\xd0\x94\xd0\xbe\xd0\xbc", "\xd0\xb4\xd0\x9e\xd0\x9c", true},
        {"fullwidth", "\xef\xbc\xa1", "\xef\xbd\x81", true},
        {"beyond U+FFFF", "\xf0\x90\x90\x80", "\xf0\x90\x90\xa8", false},
        {"an invalid byte is not the letter of its value", "\xc9", "\xc3\xa9", false},
        {"an invalid byte is not its lower-case value", "\xc9", "\xe9", false},
        {"an invalid byte is itself", "a\xff" "B", "A\xff" "b", true},
        {"a cut sequence before a letter", "\xc3" "A", "\xc3" "a", true},
        {"a cut sequence is not a whole one", "\xc3", "\xc3\xa9", false},
        {"an encoded surrogate is itself", "\xed\xa0\x80" "A", "\xed\xa0\x80" "a", true},
        {"empty", "", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sameIgnoringCase(c.left, c.right), c.same);
        EXPECT_EQ(sameIgnoringCase(c.right, c.left), c.same);
    }
}

TEST(CaseFolding, FoldedTextIsLowerCaseWithOtherBytesKept) {
    EXPECT_EQ(foldCase("R\xc3\x89SUM\xc3\x89.TXT"), "r\xc3\xa9sum\xc3\xa9.txt");
    EXPECT_EQ(foldCase("\xc8\xba"), "\xe2\xb1\xa5");
    EXPECT_EQ(foldCase(std::string("A\0\xc9\xe2\x82", 5)), std::string("a\0\xc9\xe2\x82", 5));
    // Cherokee names keep their lower-case letters, as Windows orders them.
    EXPECT_EQ(foldCase("\xe1\x8e\xa0"), "\xea\xad\xb0");
}

TEST(CaseFolding, CodeUnitsFoldAsTheirCodePoints) {
    EXPECT_EQ(foldCase(U'\u03a3'), U'\u03c3');
    EXPECT_EQ(foldCase(U'\u03c2'), U'\u03c2');
    EXPECT_EQ(foldCase(U'\u0130'), U'\u0130');
    EXPECT_EQ(foldCase(U'\uff3a'), U'\uff5a');
    EXPECT_EQ(foldCase(char32_t(0xD801)), char32_t(0xD801));
    EXPECT_EQ(foldCase(U'\U00010400'), U'\U00010400');
}

TEST(CaseFolding, TheTableFoldsEachLetterOnceToALetterThatStays) {
    std::size_t folded = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const char32_t lower = foldCase(c);
        if (lower == c) continue;
        ++folded;
        ASSERT_EQ(foldCase(lower), lower) << std::hex << static_cast<unsigned>(c);
        ASSERT_LT(lower, 0x10000u);
    }
    EXPECT_EQ(folded, util::detail::CASE_PAIR_COUNT);
    // Each pair has one capital: no two letters fold to the same one.
    std::u32string seen;
    for (char32_t c = 0; c < 0x10000; ++c)
        if (foldCase(c) != c) seen += foldCase(c);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

TEST(Utf8, DecodesWellFormedSequencesOnly) {
    struct Case {
        std::string text;
        std::size_t length;
        char32_t codePoint;
    };
    const Case cases[] = {
        {"A", 1, U'A'},
        {"\xc3\xa9", 2, U'\u00e9'},
        {"\xe2\x82\xac", 3, U'\u20ac'},
        {"\xf0\x9f\x98\x80", 4, U'\U0001f600'},
        {"\xed\xa0\x80", 3, char32_t(0xD800)},
        {"\xc0\xaf", 0, 0},
        {"\xe0\x80\xaf", 0, 0},
        {"\xf4\x90\x80\x80", 0, 0},
        {"\x80", 0, 0},
        {"\xe2\x82", 0, 0},
        {"\xc3" "A", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        char32_t codePoint = 0;
        EXPECT_EQ(util::decodeUtf8(c.text, 0, codePoint), c.length);
        if (c.length) {
            EXPECT_EQ(codePoint, c.codePoint);
            std::string encoded;
            util::appendUtf8(encoded, codePoint);
            EXPECT_EQ(encoded, c.text);
        }
    }
}

}  // namespace
