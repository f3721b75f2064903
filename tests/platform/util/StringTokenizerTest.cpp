#include <gtest/gtest.h>

#include "platform/util/parser/StringTokenizer.h"

using util::parser::StringTokenizerImpl;

namespace {

struct TokenCase {
    const char* text;
    const char* delimiters;
    std::vector<std::string> tokens;
};

TEST(StringTokenizer, SplitsIntoNonEmptyTokens) {
    const TokenCase cases[] = {
        {"a,,b,", ",", {"a", "b"}},
        {",,,", ",", {}},
        {"", ",", {}},
        {"c:\\windows\\system32", "\\", {"c:", "windows", "system32"}},
        {" a b\t c ", " \t", {"a", "b", "c"}},
        {"abc", "", {"abc"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        StringTokenizerImpl tokenizer(c.text, c.delimiters);
        EXPECT_EQ(tokenizer.countTokens(), static_cast<int>(c.tokens.size()));
        std::vector<std::string> seen;
        while (tokenizer.hasMoreTokens()) seen.push_back(tokenizer.nextToken());
        EXPECT_EQ(seen, c.tokens);
        EXPECT_EQ(tokenizer.countTokens(), 0);
    }
}

TEST(StringTokenizer, PeekDoesNotMove) {
    StringTokenizerImpl tokenizer("one two three", " ");
    EXPECT_EQ(tokenizer.peekToken(0), "one");
    EXPECT_EQ(tokenizer.peekToken(2), "three");
    EXPECT_EQ(tokenizer.nextToken(), "one");
    EXPECT_EQ(tokenizer.peekToken(1), "three");
    EXPECT_EQ(tokenizer.countTokens(), 2);
}

}  // namespace
