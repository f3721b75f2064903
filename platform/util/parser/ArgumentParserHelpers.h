#pragma once
// Helpers for paths taken from a command line.

#include <string>

namespace util::parser {

class ArgumentParserHelpers {
public:
    ArgumentParserHelpers() = delete;

    // The path without double quotes, up to and including its last backslash;
    // empty when it has none. "c:\a\b.exe" gives "c:\a\".
    static std::string directoryOf(const std::string& path);
};

}  // namespace util::parser
