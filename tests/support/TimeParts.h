#pragma once
// A broken-down local time from its parts, as the clocks hand them over.

#include <ctime>

namespace testing_support {

inline std::tm timeOf(int year, int month, int day, int hour, int minute, int second, int weekday = 0) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_wday = weekday;
    return parts;
}

}  // namespace testing_support
