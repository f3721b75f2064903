#include "platform/util/Numbers.h"

#include <climits>
#include <cstdio>
#include <vector>

#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"

namespace util {

namespace {

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void notAnInteger(const std::string& text) {
    throw exceptions::NumberFormatException("Error parsing the string [" + text + "] to an integer");
}

// atoi's reading, but a value beyond int is refused instead of being undefined.
int decimalPrefix(const std::string& text) {
    std::string::size_type i = 0;
    while (i < text.size() && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) notAnInteger(text);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// sprintf into a buffer as large as the text needs.
template <typename Value>
std::string printed(Value value, const char* format) {
    char small[32];
    const int needed = std::snprintf(small, sizeof small, format, value);
    if (needed < 0) return "";
    if (static_cast<std::size_t>(needed) < sizeof small) return std::string(small, static_cast<std::size_t>(needed));
    std::vector<char> large(static_cast<std::size_t>(needed) + 1);
    std::snprintf(large.data(), large.size(), format, value);
    return std::string(large.data(), static_cast<std::size_t>(needed));
}

}  // namespace

int parseInt(const std::string& text) {
    if (text.empty()) throw exceptions::NumberFormatException("The empty string cannot be parsed into an integer");
    const int value = decimalPrefix(text);
    if (value == 0 && text[0] != '0') notAnInteger(text);
    return value;
}

std::string formatInt(int value, const char* format) {
    TAMBLIX_ASSERT(format);
    if (!format) return "";
    return printed(value, format);
}

std::string toDecimalText(unsigned int value) { return printed(value, "%u"); }

}  // namespace util
