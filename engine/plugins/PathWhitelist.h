#pragma once
// The registry scanner's path whitelist: patterns in the compact
// regular-expression syntax, each parsed once when the definitions are loaded.
// A missing path that one of them matches is no finding.
//
// A pattern that does not parse is reported (an assertion report with its
// text) once, when it is added, and from then on every path counts as
// whitelisted: what the publisher meant to keep is unknown, so nothing is
// offered for deletion rather than too much. A search that needs more work
// than the matcher allows is reported for that path and counts the same way.

#include <set>
#include <string>
#include <vector>

#include "platform/util/regexp/ATLRegularExpressionImpl.h"

namespace com::quorvex::products::tamblix {

class PathWhitelist {
public:
    PathWhitelist() = default;
    explicit PathWhitelist(const std::set<std::string>& patterns);

    // A pattern added before is not parsed or reported again.
    void add(const std::string& pattern);
    void clear();
    bool empty() const { return _patterns.empty(); }
    // Every pattern added, valid or not.
    const std::set<std::string>& patterns() const { return _patterns; }

    bool matches(const std::string& path) const;

private:
    std::set<std::string> _patterns;
    std::vector<util::regexp::ATLRegularExpressionImpl> _compiled;
    bool _holdsInvalid = false;
};

}  // namespace com::quorvex::products::tamblix
