#include "update/signature/XmlSignature.h"

#include "update/signature/Base64.h"

namespace encryption::pki {

namespace {

const std::string XMLDSIG_NAMESPACE = "http://www.w3.org/2000/09/xmldsig#";
const std::string CANONICAL_XML = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
const std::string RSA_SHA1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
const std::string SHA1 = "http://www.w3.org/2000/09/xmldsig#sha1";

// The text between the first start tag and the first end tag; false when the
// start tag is missing or the end tag lies before it.
bool valueOf(const std::string& document, const std::string& startTag, const std::string& endTag,
             std::string& value) {
    const std::size_t start = document.find(startTag);
    if (start == std::string::npos) return false;
    const std::size_t valueStart = start + startTag.size();
    std::size_t end = document.find(endTag);
    if (end == std::string::npos) end = document.size();
    if (end < valueStart) return false;
    value = document.substr(valueStart, end - valueStart);
    return true;
}

}  // namespace

std::string XmlSignature::create(const std::vector<char>& digest, const std::vector<char>& signature,
                                 const std::string& uri) {
    return "<?xml version=\"1.0\" ?>\n"
           "<Signature xmlns=\"" + XMLDSIG_NAMESPACE + "\">\n"
           "  <SignedInfo>\n"
           "    <CanonicalizationMethod Algorithm=\"" + CANONICAL_XML + "\"/>\n"
           "    <SignatureMethod Algorithm=\"" + RSA_SHA1 + "\"/>\n"
           "    <Reference URI=\"" + uri + "\">\n"
           "      <Transforms>\n"
           "        <Transform Algorithm=\"" + CANONICAL_XML + "\"/>\n"
           "      </Transforms>\n"
           "      <DigestMethod Algorithm=\"" + SHA1 + "\"/>\n"
           "      <DigestValue>" + encodeBase64(digest) + "</DigestValue>\n"
           "    </Reference>\n"
           "  </SignedInfo>\n"
           "\n"
           "  <SignatureValue>" + encodeBase64(signature) + "</SignatureValue>\n"
           "</Signature>\n";
}

bool XmlSignature::parse(const std::string& document, std::vector<char>& digest, std::vector<char>& signature) {
    digest.clear();
    signature.clear();
    try {
        std::string digestText;
        std::string signatureText;
        if (!valueOf(document, "<DigestValue>", "</DigestValue>", digestText)) return false;
        if (!valueOf(document, "<SignatureValue>", "</SignatureValue>", signatureText)) return false;
        std::vector<char> decodedDigest;
        std::vector<char> decodedSignature;
        if (!decodeBase64(digestText, decodedDigest) || !decodeBase64(signatureText, decodedSignature)) return false;
        digest = std::move(decodedDigest);
        signature = std::move(decodedSignature);
        return true;
    } catch (...) {
        // Only an exhausted memory can land here; the answer stays "not parsed".
        return false;
    }
}

}  // namespace encryption::pki
