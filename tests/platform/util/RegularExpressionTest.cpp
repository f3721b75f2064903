#include <gtest/gtest.h>

#include <random>
#include <set>
#include <thread>

#include "platform/util/UtilExceptions.h"
#include "platform/util/regexp/ATLRegularExpressionImpl.h"
#include "platform/util/regexp/Matcher.h"

using util::regexp::ATLRegularExpressionException;
using util::regexp::ATLRegularExpressionImpl;

namespace {

struct MatchCase {
    std::string pattern;
    std::string text;
    bool matches;
};

void expectMatches(const MatchCase* begin, const MatchCase* end) {
    for (const MatchCase* c = begin; c != end; ++c) {
        SCOPED_TRACE("pattern [" + c->pattern + "] text [" + c->text + "]");
        EXPECT_EQ(ATLRegularExpressionImpl(c->pattern).match(c->text), c->matches);
    }
}

TEST(RegularExpression, LiteralsEscapesAndAnyCharacter) {
    const MatchCase cases[] = {
        {"abc", "xxabcxx", true},  {"abc", "abxc", false},   {"", "", true},         {"", "abc", true},
        {"a\\.c", "a.c", true},    {"a\\.c", "abc", false},  {"\\(\\)", "()", true}, {"\\\\", "a\\b", true},
        {"\\x", "x", true},        {"\\{\\}", "{}", true},   {"\\!", "!", true},     {"\\|", "|", true},
        {"a\\tb", "a\tb", true},   {"a\\tb", "atb", false},  {"a.c", "abc", true},   {"a.c", "ac", false},
        {".", "", false},          {".", "\n", true},        {"A", "a", false},      {"\xE9", "caf\xE9", true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

// A 0 byte in a pattern stands for itself: never for the end of the pattern, an
// alternative, the end of a group, a range or a negated set.
TEST(RegularExpression, AZeroByteIsAnOrdinaryCharacter) {
    using namespace std::string_literals;
    const MatchCase cases[] = {
        {"a\0b"s, "xa\0by"s, true},  {"a\0b"s, "a"s, false},        {"a\0b"s, "b"s, false},
        {"a\0b"s, "ab"s, false},      {"(a\0)"s, "a\0"s, true},      {"(a\0)"s, "a"s, false},
        {"{\0}"s, "\0"s, true},      {"{\0}"s, "x"s, false},         {"[\0]"s, "x\0"s, true},
        {"[\0]"s, "x"s, false},       {"[a\0c]"s, "b"s, false},       {"[a\0c]"s, "c"s, true},
        {"!\0a"s, "\0a"s, true},     {"^!\0a"s, "\0a"s, false},     {"a?\0"s, "\0"s, true},
        {"a?\0"s, "x"s, false},       {"\0$"s, "x\0"s, true},        {"\0$"s, "\0x"s, false},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, ByteSets) {
    const MatchCase cases[] = {
        {"[abc]", "xbz", true},       {"[abc]", "xyz", false},      {"[0-9]+", "abc123", true},
        {"^[0-9]+", "abc123", false}, {"^[0-9]+", "123abc", true},  {"[^a-c]", "abc", false},
        {"[^a-c]", "abcd", true},     {"[a-]", "-", true},          {"[-a]", "-", true},
        {"[a\\-z]", "-", true},       {"[a\\-z]", "b", false},      {"[\\]]", "]", true},
        {"[\\^]", "^", true},         {"[x^]", "^", true},          {"[\\t]", "\t", true},
        {"[\\t]", "t", false},        {"[.]", "a", false},          {"[(]", "(", true},
        {"[\x80-\xFF]", "ab", false}, {"[\x80-\xFF]", "a\xE9", true}, {"[^\x01-\xFF]", std::string("a\0b", 3), true},
        {"[a-a]", "a", true},         {"[[]", "[", true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, AnchorsQuantifiersAndAlternatives) {
    const MatchCase cases[] = {
        {"^abc", "abcd", true},      {"^abc", "xabc", false},     {"abc$", "xabc", true},    {"abc$", "abcx", false},
        {"^$", "", true},            {"^$", "a", false},          {"a$|^b", "ba", true},     {"x^", "x", false},
        // A leading ^ anchors the whole pattern, alternatives included.
        {"^a|b", "xb", false},       {"^a|b", "b", true},         {"(^a)|b", "xb", true},
        {"ab?c", "ac", true},        {"ab?c", "abc", true},       {"ab?c", "abbc", false},
        {"ab*c", "ac", true},        {"ab*c", "abbbc", true},     {"ab+c", "ac", false},     {"ab+c", "abbc", true},
        {"^a*$", "", true},          {"^a+$", "", false},         {"^a*?$", "aaa", true},    {"^a+?b", "aaab", true},
        {"^a??$", "a", true},        {"^(ab)+$", "ababab", true}, {"^(ab)+$", "ababa", false},
        {"(a|b)c", "bc", true},      {"cat|dog", "hotdog", true}, {"cat|dog", "bird", false},
        {"a|", "x", true},           {"^(a|bc)*$", "abcbca", true}, {"^(a|bc)*$", "abcb", false},
        {"^()$", "", true},          {"^(|a)b", "ab", true},      {"^x(y|z|)$", "x", true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, Negation) {
    const MatchCase cases[] = {
        {"a!b", "ac", true},         {"a!b", "ab", false},       {"a!b", "a", true},
        {"^!a", "abc", false},       {"^!a", "bc", true},        {"!a", "aaa", true},
        {"^!(ab)a", "ac", true},     {"^!(ab)a", "abc", false},  {"^!!a.", "ab", true},
        {"^!!a.", "bb", false},      {"^\\d!\\d", "12", false},  {"^\\d!\\d", "1a", true},
        // ! takes the element with its quantifier: b* always matches, so !b* never holds.
        {"a!b*c", "ac", false},      {"a(!b)*c", "ac", true},    {"^(!b.)*$", "aaca", true},
        {"^(!b.)*$", "aaba", false}, {"^{a}!\\0", "ab", true},   {"^{a}!\\0", "aa", false},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, MatchGroupsAndBackReferences) {
    const MatchCase cases[] = {
        {"{a+}b\\0", "aaba", true},      {"^{a+}b\\0$", "aaba", false}, {"^{a+}b\\0$", "aabaa", true},
        {"{.}\\0", "abccd", true},       {"{.}\\0", "abcd", false},     {"{a}{b}\\1\\0", "abba", true},
        {"{x{y}}\\1", "xyy", true},      {"{x{y}}\\0", "xyxy", true},   {"{x{y}}\\0", "xyy", false},
        // A group that has not matched yet matches nothing.
        {"\\0{a}", "aa", false},         {"^({a}|b)*\\0$", "abba", true}, {"^({a}|b)*\\0$", "bb", false},
        {"^{[a-z]+}-\\0$", "abc-abc", true}, {"^{[a-z]+}-\\0$", "abc-abd", false},
        {"{}\\0x", "x", true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, Abbreviations) {
    const MatchCase cases[] = {
        {"^\\a$", "z", true},         {"^\\a$", "5", true},          {"^\\a$", "_", false},
        {"x\\by", "x y", true},       {"x\\by", "x\ty", true},       {"x\\by", "xy", false},
        {"x\\by", "xty", false},      {"^\\c$", "Q", true},          {"^\\c$", "1", false},
        {"^\\d$", "7", true},         {"^\\d$", "a", false},         {"^\\d+$", "123", true},
        {"^\\h+$", "0fA9", true},     {"^\\h+$", "0g", false},       {"a\\nb", "a\rb", true},
        {"a\\nb", "a\nb", true},      {"a\\nb", "a\r\nb", true},     {"a\\nb", "ab", false},
        {"a\\nb", "a\n\rb", false},   {"^\\q$", "\"x y\"", true},    {"^\\q$", "'it'", true},
        {"^\\q$", "\"open", false},   {"^\\q$", "\"x'", false},      {"^\\q$", "\"\"", true},
        // An abbreviation is one element: its alternatives stay inside it.
        {"a\\qb", "a'x'b", true},     {"a\\qb", "'x'b", false},      {"a\\qb", "a\"x\"", false},
        {"^\\w$", "abc", true},       {"^\\w$", "ab1", false},       {"^\\z$", "0123", true},
        {"^\\z$", "12a", false},      {"^\\w\\b\\z$", "Version 12", true},
        {"\\A", "A", true},           {"\\A", "a", false},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, GreedyAndLazyChooseDifferentGroupTexts) {
    struct GroupCase {
        const char* pattern;
        const char* text;
        std::vector<std::string> groups;
    };
    const GroupCase cases[] = {
        {"{a*}", "aaa", {"aaa"}},
        {"{a*?}", "aaa", {""}},
        {"{a+}", "aaa", {"aaa"}},
        {"{a+?}", "aaa", {"a"}},
        {"{a?}a", "aa", {"a"}},
        {"{a??}a", "aa", {""}},
        {"{.*}b", "abab", {"aba"}},
        {"{.*?}b", "abab", {"a"}},
        {"{.*?}$", "ab", {"ab"}},
        {"^{a*}{a*}$", "aaa", {"aaa", ""}},
        {"^{a*?}{a*}$", "aaa", {"", "aaa"}},
        {"{a+}\\0", "aaaa", {"aa"}},
        {"{a+?}\\0", "aaaa", {"a"}},
        {"{b+}", "abbcbbb", {"bb"}},
        {"{a|ab}", "ab", {"a"}},
        {"^({.})*$", "abc", {"c"}},
        {"{x}|{y}", "y", {"", "y"}},
        {"{a}!{b}", "ac", {"a", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("pattern [") + c.pattern + "] text [" + c.text + "]");
        std::vector<std::string> groups;
        EXPECT_TRUE(ATLRegularExpressionImpl(c.pattern).match(c.text, groups));
        EXPECT_EQ(groups, c.groups);
    }
    std::vector<std::string> groups{"stale"};
    EXPECT_FALSE(ATLRegularExpressionImpl("{a}{b}").match("ba", groups));
    EXPECT_EQ(groups, (std::vector<std::string>{"", ""}));
}

TEST(RegularExpression, MalformedPatternsAreRefused) {
    const char* const patterns[] = {
        "(",     ")",      "(a",    "a)",     "{a",    "a}",     "(a}",    "{a)",     "[a",     "a]",
        "[]",    "[^]",    "[]]",   "[z-a]",  "[9-0]", "*a",     "+",      "?",       "a**",    "a*+",
        "a??*",  "a|*b",   "(*a)",  "{?}",    "^*",    "\\",     "a\\",    "[a\\",    "[a-",    "[a-\\",
        "\\0",   "\\1{a}", "{}\\1", "!",      "a!",    "!|a",    "(!)",    "{!}",     "!*",     "a|b)",
        "((a)",  "[a-z",
    };
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        try {
            ATLRegularExpressionImpl expression(pattern);
            FAIL() << "accepted";
        } catch (const ATLRegularExpressionException& e) {
            EXPECT_EQ(e.getMessage(), std::string("You passed an invalid regular expression.\n") + pattern);
        }
    }
}

TEST(RegularExpression, NestingIsBoundedAndLengthIsNot) {
    auto nested = [](int depth, const char* open, const char* close) {
        std::string pattern;
        for (int i = 0; i < depth; ++i) pattern += open;
        pattern += "a";
        for (int i = 0; i < depth; ++i) pattern += close;
        return pattern;
    };
    EXPECT_TRUE(ATLRegularExpressionImpl(nested(100, "(", ")")).match("xa"));
    EXPECT_TRUE(ATLRegularExpressionImpl(nested(100, "{", "}")).match("a"));
    const std::string tooDeep[] = {nested(101, "(", ")"), nested(100000, "(", ")"), nested(100000, "{", "}"),
                                   std::string(100000, '!') + "a", std::string(100000, '(')};
    for (const auto& pattern : tooDeep) {
        SCOPED_TRACE(pattern.substr(0, 20));
        try {
            ATLRegularExpressionImpl expression(pattern);
            FAIL() << "accepted";
        } catch (const ATLRegularExpressionException& e) {
            EXPECT_EQ(e.getMessage(), "You passed an invalid regular expression.\n" + pattern);
        }
    }

    const std::string longText(100000, 'a');
    EXPECT_TRUE(ATLRegularExpressionImpl(longText).match("x" + longText));
    EXPECT_FALSE(ATLRegularExpressionImpl(longText + "b").match(std::string(1000, 'a')));
    std::string alternatives = "^(";
    for (int i = 0; i < 2000; ++i) alternatives += "a" + std::to_string(i) + "|";
    alternatives += "b)+$";
    EXPECT_TRUE(ATLRegularExpressionImpl(alternatives).match("a17a1999bb"));
    EXPECT_FALSE(ATLRegularExpressionImpl(alternatives).match(std::string(2000, 'a') + "c"));
}

TEST(RegularExpression, PathologicalPatternsFinishWithTheRightAnswer) {
    const std::string as(20000, 'a');
    const MatchCase cases[] = {
        {"(a*)*b", as, false},
        {"(a*)*b", as + "b", true},
        {"(a|a)*c", as, false},
        {"(a|aa)*c", as + "c", true},
        {"(.*)*x", as, false},
        {"(.*)*x", as + "x", true},
        {"^(a+)+$", as + "b", false},
        {"((a*)*)*b", as, false},
        {"(a*)*(b*)*(c*)*d", as, false},
        {"(a?)*(a?)*(a?)*$", as, true},
        {"^(()*)*$", "", true},
        {"^((!b)*a)*$", as, true},
        {"^(a!((a*)*b))*$", as, true},
        {"^(a!((a*)*b))*$", as + "b", false},
        {"x!((a*)*b)", "x" + as, true},
        {"x!((a*)*b)", "x" + as + "b", false},
        {"(a*)*!a", as, true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, PathologicalPatternsWithBackReferences) {
    // Unanchored, a group that a back reference reads starts anew at each
    // position, so those searches take n^2 states and get shorter texts.
    const std::string as(2000, 'a');
    const std::string fewAs(200, 'a');
    const MatchCase cases[] = {
        {"^{(a*)*}\\0b", as, false},
        {"^{(a*)*}\\0b", "aab", true},
        {"{(a|a)*}\\0c", fewAs, false},
        {"{(a|a)*}\\0c", fewAs + "c", true},
        {"{x}(a*)*\\0", "x" + as + "x", true},
        {"{x}(a*)*\\0", "x" + as + "b", false},
        {"^{(a|b)*}\\0$", "abab", true},
        {"^{a*}*\\0$", "aaa", true},
        {"^({a*})*\\0$", as, true},
        {"^!({a}*\\0b)", as, true},
    };
    expectMatches(std::begin(cases), std::end(cases));
}

TEST(RegularExpression, TextsTooLongForTheBitmapAreStillMatched) {
    std::string alternatives;
    for (int i = 0; i < 300; ++i) alternatives += (i ? "|" : "") + std::to_string(i) + "q";
    const ATLRegularExpressionImpl expression("x(" + alternatives + ")");
    const std::string text(1 << 20, 'y');
    EXPECT_TRUE(expression.match(text + "x299q"));
    EXPECT_FALSE(expression.match(text + "x300q"));
}

TEST(RegularExpression, RunningOutOfWorkIsAnErrorNotANoMatch) {
    // Three groups that back references read give the search about n^4 states.
    const std::string pattern = "^({a*}{a*}{a*})*\\0\\1\\2b";
    const ATLRegularExpressionImpl expression(pattern);
    try {
        expression.match(std::string(200, 'a'));
        FAIL() << "answered without finishing";
    } catch (const ATLRegularExpressionException& e) {
        EXPECT_EQ(e.getMessage(), util::regexp::Matcher::WORK_LIMIT_TEXT + pattern);
    }
    // The object is still usable afterwards.
    EXPECT_TRUE(expression.match("aaaab"));
}

TEST(RegularExpression, OneObjectMatchesManyTexts) {
    const ATLRegularExpressionImpl expression("^HKEY_LOCAL_MACHINE\\\\Software\\\\(Classes|Microsoft)\\\\");
    EXPECT_TRUE(expression.match("HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt"));
    EXPECT_FALSE(expression.match("HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives"));
    EXPECT_TRUE(expression.match("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows"));
    EXPECT_EQ(expression.getPattern(), "^HKEY_LOCAL_MACHINE\\\\Software\\\\(Classes|Microsoft)\\\\");
}

TEST(RegularExpression, OneObjectServesSeveralThreads) {
    const ATLRegularExpressionImpl expression("^{\\w}\\\\(a*)*!b\\0$");
    auto work = [&expression](int& right) {
        for (int i = 0; i < 200; ++i) {
            const std::string name = i % 2 ? "Key" : "Other";
            right += expression.match(name + "\\" + std::string(static_cast<std::size_t>(i), 'a') + name) &&
                     !expression.match(name + "\\b" + name);
        }
    };
    int first = 0;
    int second = 0;
    std::thread other(work, std::ref(first));
    work(second);
    other.join();
    EXPECT_EQ(first, 200);
    EXPECT_EQ(second, 200);
}

// Random patterns over a and b, each built as a small tree that is printed in
// the pattern syntax and also answered by a plain reference: the set of
// positions where a node can end when it starts at a given position.
class RandomPattern {
public:
    RandomPattern(std::mt19937& random, int depth) : _random(random) {
        _root = _alternatives(depth);
        _anchored = _below(5) == 0;
    }

    std::string text() const {
        const std::string body = _print(_root);
        if (_anchored) return "^" + body;
        // A leading ^ would anchor the whole pattern; an empty group keeps it an element.
        return !body.empty() && body[0] == '^' ? "()" + body : body;
    }

    bool matches(const std::string& subject) const {
        const std::size_t last = _anchored ? 0 : subject.size();
        for (std::size_t start = 0; start <= last; ++start)
            if (!_ends(_root, subject, start).empty()) return true;
        return false;
    }

private:
    enum Kind { CHAR_A, CHAR_B, ANY, SET_AB, SET_NOT_A, START, END, SEQUENCE, ALTERNATIVES, REPEAT, NEGATION, GROUP };
    struct Node {
        Kind kind;
        std::string quantifier;
        std::vector<int> children;
    };
    using Positions = std::set<std::size_t>;

    int _below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(_random); }
    int _add(Kind kind, std::vector<int> children = {}, std::string quantifier = "") {
        _nodes.push_back(Node{kind, std::move(quantifier), std::move(children)});
        return static_cast<int>(_nodes.size() - 1);
    }
    int _alternatives(int depth) {
        std::vector<int> choices{_sequence(depth)};
        while (_below(3) == 0) choices.push_back(_sequence(depth));
        return choices.size() == 1 ? choices[0] : _add(ALTERNATIVES, choices);
    }
    int _sequence(int depth) {
        std::vector<int> pieces;
        for (int n = _below(4); n > 0; --n) pieces.push_back(_piece(depth));
        return _add(SEQUENCE, pieces);
    }
    int _piece(int depth) {
        if (depth > 0 && _below(8) == 0) return _add(NEGATION, {_piece(depth - 1)});
        static const char* const QUANTIFIERS[] = {"", "", "", "?", "*", "+", "??", "*?", "+?"};
        const int atom = _atom(depth);
        const std::string quantifier = QUANTIFIERS[_below(9)];
        return quantifier.empty() ? atom : _add(REPEAT, {atom}, quantifier);
    }
    int _atom(int depth) {
        const int choice = depth > 0 ? _below(9) : _below(7);
        if (choice < 7) return _add(static_cast<Kind>(choice));
        return _add(GROUP, {_alternatives(depth - 1)});
    }

    std::string _print(int index) const {
        const Node& node = _nodes[static_cast<std::size_t>(index)];
        static const char* const ATOMS[] = {"a", "b", ".", "[ab]", "[^a]", "^", "$"};
        std::string text;
        switch (node.kind) {
            case SEQUENCE:
                for (int child : node.children) text += _print(child);
                return text;
            case ALTERNATIVES:
                for (std::size_t i = 0; i < node.children.size(); ++i)
                    text += (i ? "|" : "") + _print(node.children[i]);
                return text;
            case REPEAT: return _print(node.children[0]) + node.quantifier;
            case NEGATION: return "!" + _print(node.children[0]);
            case GROUP: return "(" + _print(node.children[0]) + ")";
            default: return ATOMS[node.kind];
        }
    }

    Positions _ends(int index, const std::string& s, std::size_t pos) const {
        const Node& node = _nodes[static_cast<std::size_t>(index)];
        const bool more = pos < s.size();
        switch (node.kind) {
            case CHAR_A: return more && s[pos] == 'a' ? Positions{pos + 1} : Positions{};
            case CHAR_B: return more && s[pos] == 'b' ? Positions{pos + 1} : Positions{};
            case ANY:
            case SET_AB: return more ? Positions{pos + 1} : Positions{};
            case SET_NOT_A: return more && s[pos] != 'a' ? Positions{pos + 1} : Positions{};
            case START: return pos == 0 ? Positions{pos} : Positions{};
            case END: return pos == s.size() ? Positions{pos} : Positions{};
            case SEQUENCE: {
                Positions current{pos};
                for (int child : node.children) current = _endsFromAll(child, s, current);
                return current;
            }
            case ALTERNATIVES: {
                Positions all;
                for (int child : node.children) all.merge(_ends(child, s, pos));
                return all;
            }
            case REPEAT: {
                const int body = node.children[0];
                if (node.quantifier[0] == '?') {
                    Positions once = _ends(body, s, pos);
                    once.insert(pos);
                    return once;
                }
                Positions reached = node.quantifier[0] == '*' ? Positions{pos} : _ends(body, s, pos);
                for (std::size_t size = 0; size != reached.size();) {
                    size = reached.size();
                    reached.merge(_endsFromAll(body, s, reached));
                }
                return reached;
            }
            case NEGATION: return _ends(node.children[0], s, pos).empty() ? Positions{pos} : Positions{};
            case GROUP: return _ends(node.children[0], s, pos);
        }
        return {};
    }
    Positions _endsFromAll(int index, const std::string& s, const Positions& starts) const {
        Positions all;
        for (std::size_t start : starts) all.merge(_ends(index, s, start));
        return all;
    }

    std::mt19937& _random;
    std::vector<Node> _nodes;
    int _root;
    bool _anchored;
};

TEST(RegularExpression, AgreesWithAReferenceOnRandomPatterns) {
    std::vector<std::string> texts;
    for (int length = 0; length <= 6; ++length)
        for (int bits = 0; bits < (1 << length); ++bits) {
            std::string text;
            for (int i = 0; i < length; ++i) text += (bits >> i) & 1 ? 'b' : 'a';
            texts.push_back(text);
        }
    std::mt19937 random(20070103);
    for (int round = 0; round < 1500; ++round) {
        const RandomPattern pattern(random, 3);
        const std::string text = pattern.text();
        // The same pattern with an empty back reference appended keeps its
        // states by key instead of in the bitmap.
        const std::string anchor = text.substr(0, text[0] == '^' ? 1 : 0);
        const ATLRegularExpressionImpl memo(text);
        const ATLRegularExpressionImpl keyed(anchor + "(" + text.substr(anchor.size()) + "){}\\0");
        for (const auto& subject : texts) {
            const bool expected = pattern.matches(subject);
            ASSERT_EQ(memo.match(subject), expected) << "pattern [" << text << "] text [" << subject << "]";
            ASSERT_EQ(keyed.match(subject), expected) << "pattern [" << text << "] text [" << subject << "] keyed";
        }
    }
}

}  // namespace
