#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/failure/TimeText.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimeParts.h"

using testing_support::TempDir;
using testing_support::WorkingDirectory;

namespace {

TEST(SystemErrors, FramesThePlatformText) {
    EXPECT_EQ(SystemErrors::map(2), "System error message: The file could not be found.\r\n");
}

TEST(SystemErrors, UnknownCodeNamesItInSignedDecimal) {
    EXPECT_EQ(SystemErrors::map(-5),
              "System error message: The string representation of the error code [-5] was not found.\r\n");
}

struct Fallback : ErrorMapper {
    bool map(int code, std::string& text) const override {
        if (code != 777777) return false;
        text = "Our own text.";
        return true;
    }
};

TEST(SystemErrors, FallbackTextIsUsedOnlyWhenThePlatformHasNone) {
    Fallback fallback;
    EXPECT_EQ(SystemErrors::map(777777, &fallback), "System error message: Our own text.\r\n");
    EXPECT_EQ(SystemErrors::map(5, &fallback), "System error message: Access is denied.\r\n");
}

struct ThrowingFallback : ErrorMapper {
    bool map(int, std::string&) const override { throw std::runtime_error("broken"); }
};

TEST(SystemErrors, NeverThrows) {
    TempDir scratch;
    WorkingDirectory inScratch(scratch.path());
    ThrowingFallback fallback;
    testing::internal::CaptureStdout();
    EXPECT_EQ(SystemErrors::map(424242, &fallback),
              "An unexpected exception was caught in static std::string SystemErrors::map(int errorCode, "
              "const ErrorMapper* fallbackErrors = 0) throw()\n");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Assertion failed. Message: false"), std::string::npos);
}

TEST(LastError, IsKeptPerThread) {
    platform::setLastError(5);
    int seenByOther = -1;
    std::thread other([&] { seenByOther = platform::getLastError(); });
    other.join();
    EXPECT_EQ(seenByOther, 0);
    EXPECT_EQ(platform::getLastError(), 5);
}

const char* const EXPECTED_REPORT =
    "----------------------------------------\n"
    "Assertion failed. Message: _state == ENGINE_READY\n"
    "File: Engine.cpp\n"
    "Line: 42\n"
    "Occurred: Wed Jan 03 09:05:00 2007\n"
    "\n"
    "Please contact the developers and include this message.\n"
    "Thank you for helping us improve the software.\n"
    "----------------------------------------\n";

TEST(AssertionReport, HasItsNineLines) {
    EXPECT_EQ(assertionReport("_state == ENGINE_READY", "Engine.cpp", 42, "Wed Jan 03 09:05:00 2007"),
              EXPECTED_REPORT);
}

// The report of one failed check, with the parts that vary (file path, line and
// time) checked by their shape.
void expectReport(const std::vector<std::string>& lines, size_t first, const std::string& expression) {
    ASSERT_GE(lines.size(), first + 9);
    const std::string frame(40, '-');
    EXPECT_EQ(lines[first], frame);
    EXPECT_EQ(lines[first + 1], "Assertion failed. Message: " + expression);
    EXPECT_TRUE(lines[first + 2].starts_with("File: ") && lines[first + 2].ends_with("FailureReportingTest.cpp"));
    EXPECT_TRUE(lines[first + 3].starts_with("Line: ") && std::stoi(lines[first + 3].substr(6)) > 0);
    EXPECT_TRUE(lines[first + 4].starts_with("Occurred: ") && lines[first + 4].size() == 10 + 24) << lines[first + 4];
    EXPECT_EQ(lines[first + 5], "");
    EXPECT_EQ(lines[first + 6], "Please contact the developers and include this message.");
    EXPECT_EQ(lines[first + 7], "Thank you for helping us improve the software.");
    EXPECT_EQ(lines[first + 8], frame);
}

using testing_support::timeOf;

// The day as two digits whatever the C library's asctime would do, single blanks.
TEST(TimeText, WeekdayMonthDayClockAndYear) {
    const std::pair<std::tm, const char*> cases[] = {
        {timeOf(2007, 1, 3, 9, 5, 0, 3), "Wed Jan 03 09:05:00 2007"},
        {timeOf(2007, 1, 13, 19, 45, 9, 6), "Sat Jan 13 19:45:09 2007"},
        {timeOf(1999, 12, 31, 23, 59, 59, 5), "Fri Dec 31 23:59:59 1999"},
        {timeOf(2024, 2, 29, 0, 0, 0, 4), "Thu Feb 29 00:00:00 2024"},
        {timeOf(2030, 6, 1, 12, 30, 7, 0), "Sun Jun 01 12:30:07 2030"},
        {timeOf(2016, 12, 31, 23, 59, 60, 6), "Sat Dec 31 23:59:60 2016"},  // a leap second
        {timeOf(12345, 13, 3, 9, 5, 0, 7), "??? ??? 03 09:05:00 12345"},   // out of range: shown as held
    };
    for (const auto& [time, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(platform::timeText(time), text);
    }
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(AssertionReport, IsPrintedAndAppendedAndTheCallerGoesOn) {
    TempDir scratch;
    WorkingDirectory inScratch(scratch.path());
    testing::internal::CaptureStdout();
    TAMBLIX_ASSERT(1 + 1 == 3);
    TAMBLIX_ASSERT(2 > 3);
    const std::string printed = testing::internal::GetCapturedStdout();

    const std::string file = scratch.read("assertion.txt");
    EXPECT_EQ(file, printed);
    ASSERT_TRUE(file.ends_with("\n"));
    const auto lines = linesOf(file);
    ASSERT_EQ(lines.size(), 18u);
    expectReport(lines, 0, "1 + 1 == 3");
    expectReport(lines, 9, "2 > 3");
}

TEST(AssertionReport, AnUnwritableFileIsIgnored) {
    TempDir scratch;
    std::filesystem::create_directory(scratch.path() / "assertion.txt");
    WorkingDirectory inScratch(scratch.path());
    testing::internal::CaptureStdout();
    TAMBLIX_ASSERT(false);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Message: false"), std::string::npos);
}

}  // namespace
