#include "platform/util/ProcessCommandLine.h"

namespace util {

std::string windowsCommandLineOf(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty()) text += ' ';
        const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        text += quote ? "\"" + argument + "\"" : argument;
    }
    return text;
}

}  // namespace util
