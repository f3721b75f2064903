#include "update/UpdateCounter.h"

#include <climits>

namespace com::quorvex::products::tamblix {

namespace {
bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
}  // namespace

int counterOfText(const std::string& text) {
    std::size_t position = 0;
    while (position < text.size() && isCSpace(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // Accumulated as a negative number, whose range reaches INT_MIN.
    long long value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        value = value * 10 - (text[position] - '0');
        if (value < INT_MIN) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

}  // namespace com::quorvex::products::tamblix
