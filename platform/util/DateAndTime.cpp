#include "platform/util/DateAndTime.h"

#include "platform/failure/Assertion.h"
#include "platform/util/LocalTime.h"
#include "platform/util/Numbers.h"

namespace util {

namespace {

const char* const TWO_DIGITS[60] = {
    "00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14",
    "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29",
    "30", "31", "32", "33", "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44",
    "45", "46", "47", "48", "49", "50", "51", "52", "53", "54", "55", "56", "57", "58", "59",
};

}  // namespace

int yearOf(const std::tm& time) { return time.tm_year + 1900; }

int monthOf(const std::tm& time) {
    const int i = time.tm_mon + 1;
    TAMBLIX_ASSERT(i < 13);
    return i;
}

int dayOf(const std::tm& time) {
    const int i = time.tm_mday;
    TAMBLIX_ASSERT(i < 32);
    return i;
}

int hourOf(const std::tm& time) {
    const int i = time.tm_hour;
    TAMBLIX_ASSERT(i < 24);
    return i;
}

int minuteOf(const std::tm& time) {
    const int i = time.tm_min;
    TAMBLIX_ASSERT(i < 60);
    return i;
}

int secondOf(const std::tm& time) {
    // A leap second (60) is reported like any other value out of range.
    const int i = time.tm_sec;
    TAMBLIX_ASSERT(i < 60);
    return i;
}

int getYear() { return yearOf(localTimeNow()); }
int getMonth() { return monthOf(localTimeNow()); }
int getDay() { return dayOf(localTimeNow()); }
int getHour() { return hourOf(localTimeNow()); }
int getMinute() { return minuteOf(localTimeNow()); }
int getSecond() { return secondOf(localTimeNow()); }

std::string twoDigits(int minute) {
    TAMBLIX_ASSERT(minute < 60);
    if (minute < 0 || minute >= 60) return std::to_string(minute);
    return TWO_DIGITS[minute];
}

std::string dateTimeTextOf(const std::tm& time) {
    return toDecimalText(static_cast<unsigned int>(yearOf(time))) + "-" + twoDigits(monthOf(time)) + "-" +
           twoDigits(dayOf(time)) + " " + twoDigits(hourOf(time)) + ":" + twoDigits(minuteOf(time));
}

std::string secondTextOf(const std::tm& time) { return twoDigits(secondOf(time)); }

std::string getDateTimeText() { return dateTimeTextOf(localTimeNow()); }
std::string getSecondText() { return secondTextOf(localTimeNow()); }

}  // namespace util
