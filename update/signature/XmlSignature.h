#pragma once
// The detached signature document that travels with a definitions file. Only its
// two values matter: the Base64 SHA-1 digest and the Base64 signature, least
// significant byte first. Holds no state.

#include <string>
#include <vector>

namespace encryption::pki {

class XmlSignature {
public:
    virtual ~XmlSignature() = default;

    // The document in its fixed layout; uri is inserted unchanged.
    virtual std::string create(const std::vector<char>& digest, const std::vector<char>& signature,
                               const std::string& uri);

    // Finds the two values as plain substrings (no XML parsing): each must follow its
    // start tag directly, on one line; a missing end tag lets the value run to the
    // end of the text. True when both were found and decoded; otherwise false with both
    // outputs empty. Never throws for malformed input.
    virtual bool parse(const std::string& document, std::vector<char>& digest, std::vector<char>& signature);
};

}  // namespace encryption::pki
