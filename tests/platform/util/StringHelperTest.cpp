#include <gtest/gtest.h>

#include <ctime>

#include "platform/failure/TimeText.h"
#include "platform/util/StringHelper.h"
#include "platform/util/UtilExceptions.h"

using util::StringHelper;

namespace {

TEST(StringHelper, ReplaceAllGoesLeftToRightAndSkipsInsertedText) {
    struct Case {
        const char* text;
        const char* searchFor;
        const char* replaceWith;
        const char* result;
        int count;
    };
    const Case cases[] = {
        {"aaa", "a", "aa", "aaaaaa", 3},
        {"xabyab", "ab", "", "xy", 2},
        {"aaaa", "aa", "a", "aa", 2},
        {"abc", "x", "y", "abc", 0},
        {"", "a", "b", "", 0},
        {"ab", "abc", "x", "ab", 0},
        {"\"c:\\a b\"", "\"", "", "c:\\a b", 2},
        {"abc", "", "x", "abc", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.searchFor + " / " + c.replaceWith);
        std::string text = c.text;
        EXPECT_EQ(StringHelper::replaceAll(text, c.searchFor, c.replaceWith), c.count);
        EXPECT_EQ(text, c.result);
    }
}

TEST(StringHelper, SplitKeepsOrSkipsEmptyPieces) {
    struct Case {
        const char* text;
        const char* separator;
        bool skipEmpty;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a,,b,", ",", false, {"a", "", "b"}},
        {"a,,b,", ",", true, {"a", "b"}},
        {",a", ",", false, {"", "a"}},
        {",a", ",", true, {"a"}},
        {"abc", ",", false, {"abc"}},
        {"", ",", false, {}},
        {"a::b::::c", "::", false, {"a", "b", "", "c"}},
        {"abc", "", false, {"abc"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + c.separator);
        EXPECT_EQ(StringHelper::split(c.text, c.separator, c.skipEmpty), c.pieces);
    }
}

TEST(StringHelper, CountOccurrencesDoesNotOverlap) {
    struct Case {
        const char* text;
        const char* sub;
        int count;
    };
    const Case cases[] = {
        {"aaaa", "aa", 2}, {"aaa", "aa", 1}, {"abcabc", "abc", 2}, {"abc", "", 0}, {"", "a", 0}, {"ab", "abc", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.sub);
        EXPECT_EQ(StringHelper::countOccurrences(c.text, c.sub), c.count);
    }
}

TEST(StringHelper, EndsWithIsExact) {
    struct Case {
        const char* text;
        const char* suffix;
        bool result;
    };
    const Case cases[] = {
        {"file.exe", ".exe", true}, {"file.EXE", ".exe", false}, {"file.exe", "", true},
        {"", "", true},             {"exe", ".exe", false},      {"file.exe", "file.exe", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.suffix);
        EXPECT_EQ(StringHelper::endsWith(c.text, c.suffix), c.result);
    }
}

TEST(StringHelper, ToLowerChangesOnlyAToZ) {
    EXPECT_EQ(StringHelper::toLower("HKEY_Local_MACHINE\\Software 09@[`{"), "hkey_local_machine\\software 09@[`{");
    const std::string highBytes("\xC4\xD6\xDC\xC9", 4);
    EXPECT_EQ(StringHelper::toLower(highBytes), highBytes);
    const std::string withNull("A\0B", 3);
    EXPECT_EQ(StringHelper::toLower(withNull), std::string("a\0b", 3));
}

TEST(StringHelper, WideToNarrowConvertsInTheCLocale) {
    EXPECT_EQ(StringHelper::wideToNarrow(L"c:\\Program Files\\x.exe"), "c:\\Program Files\\x.exe");
    EXPECT_EQ(StringHelper::wideToNarrow(L""), "");
    try {
        StringHelper::wideToNarrow(L"caf\u00e9");
        FAIL() << "a character outside the C locale was converted";
    } catch (const util::StringHelperException& e) {
        EXPECT_EQ(e.getMessage(), "Could get the length of the wide string ");
    }
}

TEST(StringHelper, CurrentTimeTextIsTheLocalTimeNow) {
    const std::time_t before = std::time(nullptr);
    const std::string text = StringHelper::currentTimeText();
    const std::time_t after = std::time(nullptr);
    const std::string first = platform::timeText(*std::localtime(&before));
    const std::string last = platform::timeText(*std::localtime(&after));
    EXPECT_TRUE(text == first || text == last) << text;
    EXPECT_EQ(text.size(), 24u);
}

}  // namespace
