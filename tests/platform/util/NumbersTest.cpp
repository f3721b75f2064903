#include <gtest/gtest.h>

#include "platform/failure/Exception.h"
#include "platform/util/Numbers.h"
#include "tests/platform/util/AssertionReports.h"

namespace {

TEST(Numbers, ParseIntReadsTheLeadingDecimalNumber) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"0", 0},       {"007", 7},     {"0x1F", 0},  {"12abc", 12},
        {" 12", 12},    {"\t\n42", 42}, {"+5", 5},    {"-7", -7},
        {"2147483647", 2147483647},     {"-2147483648", -2147483647 - 1},
        {"00", 0},      {"0abc", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(util::parseInt(c.text), c.value);
    }
}

TEST(Numbers, ParseIntRefusesTextsWithoutANumber) {
    const char* const texts[] = {"abc", " 0", "-0", "+0", "x12", " ", "-", "2147483648", "-2147483649", "99999999999"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        try {
            util::parseInt(text);
            FAIL() << "no exception";
        } catch (const exceptions::NumberFormatException& e) {
            EXPECT_EQ(e.getMessage(), std::string("Error parsing the string [") + text + "] to an integer");
        }
    }
    try {
        util::parseInt("");
        FAIL() << "no exception";
    } catch (const exceptions::NumberFormatException& e) {
        EXPECT_EQ(e.getMessage(), "The empty string cannot be parsed into an integer");
    }
}

TEST(Numbers, FormatIntUsesTheFormat) {
    EXPECT_EQ(util::formatInt(42, "%d"), "42");
    EXPECT_EQ(util::formatInt(-42, "%d"), "-42");
    EXPECT_EQ(util::formatInt(7, "%02d"), "07");
    EXPECT_EQ(util::formatInt(255, "%X"), "FF");
    // Longer than any fixed buffer would be.
    EXPECT_EQ(util::formatInt(1, "%040d"), std::string(39, '0') + "1");
    EXPECT_EQ(util::toDecimalText(0), "0");
    EXPECT_EQ(util::toDecimalText(4294967295u), "4294967295");
    EXPECT_EQ(util::toDecimalText(2007), "2007");
}

TEST(Numbers, FormatIntReportsAMissingFormat) {
    std::string text = "unchanged";
    const std::string reports = testing_support::assertionReportsOf([&] { text = util::formatInt(1, nullptr); });
    EXPECT_EQ(text, "");
    EXPECT_NE(reports.find("Assertion failed. Message: format\n"), std::string::npos) << reports;
}

}  // namespace
