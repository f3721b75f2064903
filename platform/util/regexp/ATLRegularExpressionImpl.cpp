#include "platform/util/regexp/ATLRegularExpressionImpl.h"

#include "platform/util/regexp/Matcher.h"
#include "platform/util/regexp/PatternParser.h"
#include "platform/util/regexp/ProgramCompiler.h"

namespace util::regexp {

ATLRegularExpressionImpl::ATLRegularExpressionImpl(const std::string& pattern)
    : _pattern(pattern), _program(compilePattern(PatternParser(_pattern).parse())) {}

bool ATLRegularExpressionImpl::match(const std::string& text) const {
    return Matcher(_program, text, _pattern).find();
}

bool ATLRegularExpressionImpl::match(const std::string& text, std::vector<std::string>& groups) const {
    Matcher matcher(_program, text, _pattern);
    const bool found = matcher.find();
    groups = found ? matcher.groupTexts() : std::vector<std::string>(static_cast<std::size_t>(_program.groupCount));
    return found;
}

}  // namespace util::regexp
