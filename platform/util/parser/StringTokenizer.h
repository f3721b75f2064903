#pragma once
// Splits a text into tokens: maximal runs of characters that are not delimiters.
// Runs of delimiters separate tokens, so there are no empty tokens.

#include <string>

namespace util::parser {

class StringTokenizer {
public:
    virtual int countTokens() const = 0;
    virtual bool hasMoreTokens() const = 0;
    virtual std::string nextToken() = 0;
    virtual std::string peekToken(int tokensAheadOfNextToken) const = 0;
    virtual ~StringTokenizer() = default;
};

class StringTokenizerImpl : public StringTokenizer {
public:
    StringTokenizerImpl(const std::string& text, const std::string& delimiters);

    int countTokens() const override;
    bool hasMoreTokens() const override;
    std::string nextToken() override;
    std::string peekToken(int tokensAheadOfNextToken) const override;

private:
    // Start of the token that begins at or after position, npos when none is left.
    std::string::size_type _tokenStart(std::string::size_type position) const;
    std::string::size_type _tokenEnd(std::string::size_type start) const;

    std::string _text;
    std::string _delimiters;
    std::string::size_type _position;
};

}  // namespace util::parser
