#include "platform/util/parser/ArgumentParserHelpers.h"

#include "platform/failure/Assertion.h"
#include "platform/util/StringHelper.h"

namespace util::parser {

std::string ArgumentParserHelpers::directoryOf(const std::string& path) {
    try {
        std::string unquoted(path);
        StringHelper::replaceAll(unquoted, "\"", "");
        const auto lastBackslash = unquoted.rfind('\\');
        if (lastBackslash == std::string::npos) return "";
        return unquoted.substr(0, lastBackslash + 1);
    } catch (...) {
        TAMBLIX_ASSERT(false);
        throw;
    }
}

}  // namespace util::parser
