#pragma once
// Parts of the local time and the zero-padded texts the fix log's file name is
// made of. The get... functions read the local time anew on each call; the ...Of
// functions work on a given time.

#include <ctime>
#include <string>

namespace util {

int getYear();    // e.g. 2007
int getMonth();   // 1 ... 12
int getDay();     // 1 ... 31
int getHour();    // 0 ... 23
int getMinute();  // 0 ... 59
int getSecond();  // 0 ... 59

// "00" ... "59". Anything else is reported; its decimal text is returned.
std::string twoDigits(int minute);

// "2007-01-03 09:05" for 09:05 on 3 January 2007, read from one reading of the
// clock so that date and time always belong together.
std::string getDateTimeText();
// The seconds as two digits.
std::string getSecondText();

int yearOf(const std::tm& time);
int monthOf(const std::tm& time);
int dayOf(const std::tm& time);
int hourOf(const std::tm& time);
int minuteOf(const std::tm& time);
int secondOf(const std::tm& time);
std::string dateTimeTextOf(const std::tm& time);
std::string secondTextOf(const std::tm& time);

}  // namespace util
