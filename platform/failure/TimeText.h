#pragma once
// The time text of the assertion report and of the registry undo file (its
// header and its file name): "weekday month day hh:mm:ss year" with single
// blanks, the weekday and the month as three-letter English abbreviations and
// the day as two digits, e.g. "Wed Jan 03 09:05:00 2007". The same on every
// platform: it is not made with asctime, which pads the day with a blank on
// some C libraries and with a zero on others.

#include <ctime>
#include <string>

namespace platform {

// Fields out of their range are written as their numbers ("???" for a weekday
// or month without a name), so that a broken time still shows what it held.
std::string timeText(const std::tm& time);

}  // namespace platform
