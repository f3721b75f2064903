#pragma once
// A regular expression in the compact pattern syntax (see PatternParser.h),
// parsed once, case-sensitively, and matched against many texts. match is
// const and keeps no state between calls, so one object may serve several
// threads.
//
// Construction throws ATLRegularExpressionException "You passed an invalid
// regular expression.\n" + pattern for a malformed pattern. match throws the
// same class with Matcher::WORK_LIMIT_TEXT + pattern when a text would need more
// work than the matcher allows (see Matcher.h); it never answers "no match" for
// a search it did not finish.

#include <string>
#include <vector>

#include "platform/util/regexp/Program.h"

namespace util::regexp {

class RegularExpression {
public:
    virtual ~RegularExpression() = default;
    // True when the pattern matches some part of text.
    virtual bool match(const std::string& text) const = 0;
};

class ATLRegularExpressionImpl : public RegularExpression {
public:
    explicit ATLRegularExpressionImpl(const std::string& pattern);

    bool match(const std::string& text) const override;
    // The same, handing back the texts of the match groups of the leftmost
    // match: groups[n] is the text of group n, empty when it took no part.
    bool match(const std::string& text, std::vector<std::string>& groups) const;

    const std::string& getPattern() const { return _pattern; }

private:
    std::string _pattern;
    Program _program;
};

}  // namespace util::regexp
