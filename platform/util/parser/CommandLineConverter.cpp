#include "platform/util/parser/CommandLineConverter.h"

#include "platform/failure/Assertion.h"
#include "platform/util/StringHelper.h"
#include "platform/util/UtilExceptions.h"

using std::string;

namespace util::parser {

namespace {

void addToken(std::vector<string>& tokens, const string& command) {
    TAMBLIX_ASSERT(command.size() > 0);
    TAMBLIX_ASSERT(command.find_first_not_of(" ") != string::npos);
    tokens.push_back(command);
}

}  // namespace

std::vector<string> CommandLineConverter::convert(const string& commandText) {
    // The closing blank ends the last token like any other.
    const string command = commandText + " ";
    std::vector<string> tokens;
    string::size_type tokenStart = 0;
    string::size_type searchPos = 0;
    while (tokenStart < command.size()) {
        const string::size_type spacePos = command.find(' ', searchPos);
        const string::size_type fnuttPos = command.find('"', searchPos);
        TAMBLIX_ASSERT(spacePos != fnuttPos);
        if (spacePos == fnuttPos) break;
        if (spacePos < fnuttPos) {
            if (spacePos > tokenStart) addToken(tokens, command.substr(tokenStart, spacePos - tokenStart));
            tokenStart = searchPos = spacePos + 1;
        } else {
            const string::size_type closing = command.find('"', fnuttPos + 1);
            if (closing == string::npos)
                throw CommandLineConverterException("Unmatched \" found when parsing command line: " + command);
            searchPos = closing + 1;
        }
    }
    for (string& token : tokens) StringHelper::replaceAll(token, "\"", "");
    return tokens;
}

}  // namespace util::parser
