#include "engine/plugins/PathWhitelist.h"

#include "platform/failure/Assertion.h"
#include "platform/util/UtilExceptions.h"

namespace com::quorvex::products::tamblix {

using util::regexp::ATLRegularExpressionException;
using util::regexp::ATLRegularExpressionImpl;

PathWhitelist::PathWhitelist(const std::set<std::string>& patterns) {
    for (const std::string& pattern : patterns) add(pattern);
}

void PathWhitelist::add(const std::string& pattern) {
    if (!_patterns.insert(pattern).second) return;
    try {
        _compiled.emplace_back(pattern);
    } catch (const ATLRegularExpressionException& failure) {
        assertionFailed(failure.getMessage(), __FILE__, __LINE__);
        _holdsInvalid = true;
    }
}

void PathWhitelist::clear() {
    _patterns.clear();
    _compiled.clear();
    _holdsInvalid = false;
}

bool PathWhitelist::matches(const std::string& path) const {
    if (_holdsInvalid) return true;
    for (const ATLRegularExpressionImpl& pattern : _compiled) {
        try {
            if (pattern.match(path)) return true;
        } catch (const ATLRegularExpressionException& failure) {
            assertionFailed(failure.getMessage(), __FILE__, __LINE__);
            return true;
        }
    }
    return false;
}

}  // namespace com::quorvex::products::tamblix
