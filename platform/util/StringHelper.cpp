#include "platform/util/StringHelper.h"

#include <cstdlib>

#include "platform/failure/Assertion.h"
#include "platform/failure/TimeText.h"
#include "platform/util/LocalTime.h"
#include "platform/util/UtilExceptions.h"

namespace util {

int StringHelper::replaceAll(std::string& text, const std::string& searchFor, const std::string& replaceWith) {
    // An empty search text would be found again at every position for ever.
    if (searchFor.empty()) return 0;
    std::string::size_type position = text.find(searchFor);
    if (position == std::string::npos) return 0;
    // One pass into a copy: replacing in place would move the rest of the text
    // once per occurrence, which a page of megabytes cannot afford.
    std::string replaced;
    replaced.reserve(text.size() + (replaceWith.size() > searchFor.size() ? replaceWith.size() - searchFor.size() : 0));
    int count = 0;
    std::string::size_type copied = 0;
    while (position != std::string::npos) {
        replaced.append(text, copied, position - copied);
        replaced += replaceWith;
        ++count;
        copied = position + searchFor.size();
        position = text.find(searchFor, copied);
    }
    replaced.append(text, copied, std::string::npos);
    const std::string::size_type times = static_cast<std::string::size_type>(count);
    TAMBLIX_ASSERT(replaced.size() + times * searchFor.size() == text.size() + times * replaceWith.size());
    // Assigned, not moved: the text keeps the capacity its owner reserved.
    text.assign(replaced);
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

std::string StringHelper::currentTimeText() { return platform::timeText(localTimeNow()); }

}  // namespace util
