#include "platform/util/CommandLine.h"

#include <cstring>

#include "platform/util/parser/CommandLineConverter.h"

namespace util {

CommandLine::CommandLine(const std::string& commandLineText) : _argc(0) {
    const std::vector<std::string> tokens = parser::CommandLineConverter::convert(commandLineText);
    _copies.reserve(tokens.size());
    _argv.reserve(tokens.size() + 1);
    for (const std::string& token : tokens) {
        auto copy = std::make_unique<char[]>(token.size() + 1);
        std::memcpy(copy.get(), token.c_str(), token.size() + 1);
        _argv.push_back(copy.get());
        _copies.push_back(std::move(copy));
    }
    _argv.push_back(nullptr);
    _argc = static_cast<int>(tokens.size());
}

}  // namespace util
