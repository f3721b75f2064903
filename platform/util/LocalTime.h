#pragma once
// The local time now, broken down. Each platform reads it without the C
// library's shared static buffer, so any thread may ask at any moment (the
// assertion report reads the time from whichever thread fails a check).

#include <ctime>

namespace util {

std::tm localTimeNow();

}  // namespace util
