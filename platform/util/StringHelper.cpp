#include "platform/util/StringHelper.h"

#include <cstdio>
#include <cstdlib>

#include "platform/failure/Assertion.h"
#include "platform/util/LocalTime.h"
#include "platform/util/UtilExceptions.h"

namespace util {

int StringHelper::replaceAll(std::string& text, const std::string& searchFor, const std::string& replaceWith) {
    // An empty search text would be found again at every position for ever.
    if (searchFor.empty()) return 0;
    int count = 0;
    std::string::size_type position = 0;
    while ((position = text.find(searchFor, position)) != std::string::npos) {
        const std::string::size_type oldSize = text.size();
        text.replace(position, searchFor.size(), replaceWith);
        const std::string::size_type newSize = text.size();
        TAMBLIX_ASSERT(newSize == oldSize + replaceWith.size() - searchFor.size());
        ++count;
        position += replaceWith.size();
    }
    return count;
}

std::string StringHelper::toLower(const std::string& src) {
    TAMBLIX_ASSERT(src.c_str()[src.size()] == 0);
    // Exactly what tolower does in the default C locale, without depending on
    // whatever locale another part of the process may have set.
    std::string lowered(src);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

bool StringHelper::endsWith(const std::string& text, const std::string& suffix) {
    if (suffix.size() > text.size()) return false;
    return text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::vector<std::string> StringHelper::split(const std::string& text, const std::string& separator,
                                             bool skipEmpty) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    if (!separator.empty()) {
        std::string::size_type found;
        while ((found = text.find(separator, start)) != std::string::npos) {
            if (found > start || !skipEmpty) pieces.push_back(text.substr(start, found - start));
            start = found + separator.size();
        }
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

int StringHelper::countOccurrences(const std::string& text, const std::string& sub) {
    if (sub.empty()) return 0;
    int count = 0;
    for (auto found = text.find(sub); found != std::string::npos; found = text.find(sub, found + sub.size()))
        ++count;
    return count;
}

std::string StringHelper::wideToNarrow(const std::wstring& wideText) {
    const std::size_t failed = static_cast<std::size_t>(-1);
    const std::size_t length = std::wcstombs(nullptr, wideText.c_str(), 0);
    if (length == failed) throw StringHelperException("Could get the length of the wide string ");
    // The extra byte is the terminator wcstombs may write; it is cut off below.
    std::vector<char> buffer(length + 1);
    const std::size_t converted = std::wcstombs(buffer.data(), wideText.c_str(), buffer.size());
    if (converted == failed) throw StringHelperException("Could convert the wide string to a normal string.");
    return std::string(buffer.data(), converted);
}

std::string StringHelper::currentTimeText() { return timeText(localTimeNow()); }

std::string StringHelper::timeText(const std::tm& time) {
    // The C library's asctime layout, written into our own buffer: asctime's
    // static one is shared by every thread.
    static const char* const WEEKDAYS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const MONTHS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? WEEKDAYS[time.tm_wday] : "???";
    const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? MONTHS[time.tm_mon] : "???";
    char buffer[96];  // room for every field at its widest
    const int written = std::snprintf(buffer, sizeof buffer, "%.3s %.3s%3d %.2d:%.2d:%.2d %lld", weekday, month,
                                      time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec,
                                      1900LL + time.tm_year);
    return written > 0 ? std::string(buffer, static_cast<std::size_t>(written)) : std::string();
}

}  // namespace util
