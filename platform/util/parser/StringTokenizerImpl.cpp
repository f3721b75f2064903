#include "platform/util/parser/StringTokenizer.h"

#include "platform/failure/Assertion.h"

namespace util::parser {

StringTokenizerImpl::StringTokenizerImpl(const std::string& text, const std::string& delimiters)
    : _text(text), _delimiters(delimiters), _position(_tokenStart(0)) {}

std::string::size_type StringTokenizerImpl::_tokenStart(std::string::size_type position) const {
    if (position == std::string::npos) return std::string::npos;
    return _text.find_first_not_of(_delimiters, position);
}

std::string::size_type StringTokenizerImpl::_tokenEnd(std::string::size_type start) const {
    const auto end = _text.find_first_of(_delimiters, start);
    return end == std::string::npos ? _text.size() : end;
}

int StringTokenizerImpl::countTokens() const {
    int count = 0;
    for (auto start = _position; start != std::string::npos; start = _tokenStart(_tokenEnd(start)))
        ++count;
    return count;
}

bool StringTokenizerImpl::hasMoreTokens() const { return _position != std::string::npos; }

std::string StringTokenizerImpl::nextToken() {
    TAMBLIX_ASSERT(hasMoreTokens());
    if (!hasMoreTokens()) return "";
    const auto end = _tokenEnd(_position);
    std::string token = _text.substr(_position, end - _position);
    _position = _tokenStart(end);
    return token;
}

std::string StringTokenizerImpl::peekToken(int tokensAheadOfNextToken) const {
    TAMBLIX_ASSERT(countTokens() >= tokensAheadOfNextToken);
    auto start = _position;
    for (int skipped = 0; skipped < tokensAheadOfNextToken && start != std::string::npos; ++skipped)
        start = _tokenStart(_tokenEnd(start));
    if (start == std::string::npos) return "";
    return _text.substr(start, _tokenEnd(start) - start);
}

}  // namespace util::parser
