#pragma once
// Splits a command line at blanks into its tokens. Blanks between double quotes
// do not split; the quotes themselves are removed from the tokens. Runs of
// blanks give no empty tokens. An unmatched double quote throws
// CommandLineConverterException.

#include <string>
#include <vector>

namespace util::parser {

class CommandLineConverter {
public:
    CommandLineConverter() = delete;

    static std::vector<std::string> convert(const std::string& command);
};

}  // namespace util::parser
