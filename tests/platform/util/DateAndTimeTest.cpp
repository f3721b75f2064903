#include <gtest/gtest.h>

#include "platform/util/DateAndTime.h"
#include "platform/util/LocalTime.h"
#include "tests/platform/util/AssertionReports.h"
#include "tests/support/TimeParts.h"

namespace {

using testing_support::timeOf;

TEST(DateAndTime, TwoDigitsPadsWithZero) {
    for (int n = 0; n < 60; ++n) {
        SCOPED_TRACE(n);
        const std::string text = util::twoDigits(n);
        ASSERT_EQ(text.size(), 2u);
        EXPECT_EQ(std::stoi(text), n);
    }
    EXPECT_EQ(util::twoDigits(7), "07");
    EXPECT_EQ(util::twoDigits(59), "59");
}

TEST(DateAndTime, TwoDigitsBeyondTheTableIsReportedNotReadPastIt) {
    std::string text;
    const std::string reports = testing_support::assertionReportsOf([&] { text = util::twoDigits(60); });
    EXPECT_EQ(text, "60");
    EXPECT_NE(reports.find("Assertion failed. Message: minute < 60\n"), std::string::npos) << reports;
}

TEST(DateAndTime, TextsOfAGivenTime) {
    const std::tm morning = timeOf(2007, 1, 3, 9, 5, 4);
    EXPECT_EQ(util::dateTimeTextOf(morning), "2007-01-03 09:05");
    EXPECT_EQ(util::secondTextOf(morning), "04");
    EXPECT_EQ(util::dateTimeTextOf(timeOf(1999, 12, 31, 23, 59, 59)), "1999-12-31 23:59");
    EXPECT_EQ(util::yearOf(morning), 2007);
    EXPECT_EQ(util::monthOf(morning), 1);
    EXPECT_EQ(util::dayOf(morning), 3);
    EXPECT_EQ(util::hourOf(morning), 9);
    EXPECT_EQ(util::minuteOf(morning), 5);
    EXPECT_EQ(util::secondOf(morning), 4);
}

TEST(DateAndTime, ValuesOutOfRangeAreReported) {
    struct Case {
        std::tm time;
        int (*part)(const std::tm&);
        int value;
        const char* expression;
    };
    const Case cases[] = {
        {timeOf(2007, 13, 1, 0, 0, 0), util::monthOf, 13, "i < 13"},
        {timeOf(2007, 1, 32, 0, 0, 0), util::dayOf, 32, "i < 32"},
        {timeOf(2007, 1, 1, 24, 0, 0), util::hourOf, 24, "i < 24"},
        {timeOf(2007, 1, 1, 0, 60, 0), util::minuteOf, 60, "i < 60"},
        {timeOf(2016, 12, 31, 23, 59, 60), util::secondOf, 60, "i < 60"},  // a leap second
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        int value = 0;
        const std::string reports = testing_support::assertionReportsOf([&] { value = c.part(c.time); });
        EXPECT_EQ(value, c.value);
        EXPECT_NE(reports.find(std::string("Assertion failed. Message: ") + c.expression + "\n"), std::string::npos);
    }
    std::string second;
    testing_support::assertionReportsOf([&] { second = util::secondTextOf(timeOf(2016, 12, 31, 23, 59, 60)); });
    EXPECT_EQ(second, "60");
}

TEST(DateAndTime, CurrentTextsAreTheLocalTimeNow) {
    const std::tm before = util::localTimeNow();
    const std::string text = util::getDateTimeText();
    const int year = util::getYear();
    const std::tm after = util::localTimeNow();
    EXPECT_TRUE(text == util::dateTimeTextOf(before) || text == util::dateTimeTextOf(after)) << text;
    EXPECT_TRUE(year == util::yearOf(before) || year == util::yearOf(after));
    const int month = util::getMonth();
    EXPECT_TRUE(month >= 1 && month <= 12);
    EXPECT_EQ(util::getSecondText().size(), 2u);
}

}  // namespace
