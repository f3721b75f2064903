#pragma once
// Text helpers shared by every layer. Texts are narrow byte strings in the
// platform's ANSI code page; comparisons are byte-exact.

#include <string>
#include <vector>

namespace util {

class StringHelper {
public:
    StringHelper() = delete;

    // Replaces every occurrence of searchFor, left to right, and returns how many
    // were replaced. The search goes on after the inserted text, so a replacement
    // that contains searchFor is never replaced again. An empty searchFor replaces
    // nothing.
    static int replaceAll(std::string& text, const std::string& searchFor, const std::string& replaceWith);

    // A copy with the letters A to Z made lower case; every other byte unchanged.
    static std::string toLower(const std::string& src);

    static bool endsWith(const std::string& text, const std::string& suffix);

    // Cuts text at every occurrence of separator. Empty pieces between separators
    // are kept unless skipEmpty; an empty rest after the last separator is never
    // kept. An empty separator leaves the text whole.
    static std::vector<std::string> split(const std::string& text, const std::string& separator,
                                          bool skipEmpty);

    // Non-overlapping occurrences; an empty sub occurs 0 times.
    static int countOccurrences(const std::string& text, const std::string& sub);

    // Converts in the program's C locale; throws StringHelperException when a
    // character has no narrow form there.
    static std::string wideToNarrow(const std::wstring& wideText);

    // The local time now as platform::timeText writes it, e.g. "Wed Jan 03 09:05:00 2007".
    static std::string currentTimeText();
};

}  // namespace util
