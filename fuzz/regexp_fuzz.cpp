// A compact regular expression and a text: the first byte says how many of the
// following bytes are the pattern, the rest is the text. A malformed pattern and
// a match that runs out of work are designed answers; both match forms agree,
// and the groups of a match are parts of the text.

#include <algorithm>

#include "fuzz/FuzzSupport.h"
#include "platform/util/regexp/ATLRegularExpressionImpl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t patternSize = std::min<std::size_t>(data[0], size - 1);
    const std::string pattern = fuzz::text(data + 1, patternSize);
    const std::string text = fuzz::text(data + 1 + patternSize, size - 1 - patternSize);
    fuzz::designedAnswer([&] {
        const util::regexp::ATLRegularExpressionImpl expression(pattern);
        const bool plain = expression.match(text);
        std::vector<std::string> groups;
        const bool withGroups = expression.match(text, groups);
        FUZZ_REQUIRE(plain == withGroups);
        for (const std::string& group : groups)
            FUZZ_REQUIRE(group.empty() || text.find(group) != std::string::npos);
    });
    return 0;
}
