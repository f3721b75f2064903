#pragma once
// Integer texts: parsing with the C library's decimal rules, and formatting.

#include <string>

namespace util {

// Decimal conversion as atoi does it (leading white space, a sign, digits up to
// the first non-digit). A result of 0 counts only when the text starts with the
// digit 0; an empty text, no digits, or a value outside int throw
// exceptions::NumberFormatException.
int parseInt(const std::string& text);

// The text sprintf makes of one int with the given format ("%d", "%02d", ...).
std::string formatInt(int value, const char* format);

// The value in unsigned decimal.
std::string toDecimalText(unsigned int value);

}  // namespace util
