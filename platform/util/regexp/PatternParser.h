#pragma once
// Reads the compact pattern syntax into a PatternTree. Any malformed pattern
// throws ATLRegularExpressionException "You passed an invalid regular
// expression.\n" + pattern.
//
// Syntax: \ escapes the next character (\t is a tab); \0 ... \9 match the text of
// match group 0 ... 9 (nothing while that group has not matched; a group the
// pattern does not have is refused); \a \b \c \d \h \n \q \w \z are abbreviations, each one
// element; . any byte; [ ] a byte set with ranges a-z, a leading ^ negates it
// (inside it \ makes the next character a member, \t a tab; it may not be empty);
// ^ as the first character anchors the whole pattern at the start of the text,
// elsewhere it asserts the start; $ asserts the end of the text; ? * + after an
// element, followed by ? to take as few as possible; ( ) grouping; { } a match
// group, numbered from 0 in the order of the opening braces; | alternatives;
// ! the following element (with its quantifier) must not match here. Every other
// byte, a 0 byte included, stands for itself.
//
// Patterns nested deeper than MAX_NESTING (parentheses, braces, negations) are
// refused as invalid, so that neither parsing nor compiling can exhaust the
// stack; any length is accepted otherwise.

#include <string>
#include <string_view>

#include "platform/util/regexp/PatternTree.h"

namespace util::regexp {

class PatternParser {
public:
    static constexpr int MAX_NESTING = 100;

    explicit PatternParser(const std::string& pattern);
    PatternTree parse();

private:
    NodePtr _alternatives(int depth);
    NodePtr _sequence(int depth);
    NodePtr _piece(int depth);
    NodePtr _atom(int depth);
    NodePtr _escape(int depth);
    NodePtr _abbreviation(const char* expansion, int depth);
    NodePtr _byteSet();
    unsigned char _byteSetMember();

    bool _atEnd() const { return _position >= _text.size(); }
    char _current() const { return _text[_position]; }
    bool _currentIsOneOf(std::string_view characters) const;
    [[noreturn]] void _invalid() const;

    const std::string& _pattern;
    std::string_view _text;  // the pattern, or an abbreviation being read
    std::size_t _position = 0;
    PatternTree _tree;
    int _highestBackReference = -1;
};

}  // namespace util::regexp
