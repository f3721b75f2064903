#include "platform/failure/TimeText.h"

namespace platform {

namespace {

const char* const WEEKDAYS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONTHS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string twoDigits(int value) {
    if (value < 0 || value > 99) return std::to_string(value);
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string timeText(const std::tm& time) {
    const std::string weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? WEEKDAYS[time.tm_wday] : "???";
    const std::string month = time.tm_mon >= 0 && time.tm_mon < 12 ? MONTHS[time.tm_mon] : "???";
    return weekday + " " + month + " " + twoDigits(time.tm_mday) + " " + twoDigits(time.tm_hour) + ":" +
           twoDigits(time.tm_min) + ":" + twoDigits(time.tm_sec) + " " + std::to_string(1900LL + time.tm_year);
}

}  // namespace platform
