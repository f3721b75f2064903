#pragma once
// Reads the two definitions documents of a product, checks the publisher's
// signature over the definitions, and hands the product information and both
// documents to the engine.
//
// Normal mode: both files are compressed containers and the definitions carry a
// detached signature that must match the public key. Debug mode: both files are
// plain XML and the signature stream is not read at all. The permanent
// definitions are never signed.
//
// Every failure is thrown to the caller; nothing is caught. The product values
// are stored one by one in table order, so a failing lookup leaves the values
// before it replaced and the plugins untouched. The documents live only for the
// duration of load.

#include <memory>
#include <string>
#include <vector>

#include "engine/ProductInformation.h"
#include "engine/ServiceDeclarations.h"

namespace windows::com::xml {
class XmlDocument;
}

namespace com::quorvex::products::tamblix {

// Where the loaded definitions go: the engine's product information and its
// plugins.
class DefinitionsTarget {
public:
    virtual ~DefinitionsTarget() = default;
    virtual ProductInformation getProductInformation() = 0;
    virtual void setProductInformation(const ProductInformation& information) = 0;
    // Clears every plugin, then loads the permanent definitions into each, then
    // the definitions.
    virtual void loadPluginDefinitions(const std::string& permanentDefinitions, const std::string& definitions) = 0;
};

// The texts of both documents, as they are once uncompressed and checked.
struct DefinitionTexts {
    std::string definitions;
    std::string permanentDefinitions;
};

// The product values of both documents. A value is the text of the element
// //tamblix-definition/derivate-product-info/[section/]key: from the definitions
// when they hold it exactly once, else from the permanent definitions when they
// hold it exactly once; otherwise TamblixEngineException naming that path. The
// product information elements are found once, so each value costs a look at
// their children rather than a walk through the whole document.
class ProductValues {
public:
    // The documents must outlive this object.
    ProductValues(const windows::com::xml::XmlDocument& definitions, const windows::com::xml::XmlDocument& permanent);
    ~ProductValues();

    std::string lookup(const std::string& key, const std::string& section) const;

private:
    struct Sections;
    std::unique_ptr<Sections> _sections;
};

class DefinitionsStore {
public:
    // A compressed container may announce no more than this many bytes.
    static constexpr unsigned long UNCOMPRESSED_LIMIT = 512000000UL;

    // The services must outlive the store.
    DefinitionsStore(compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey, bool debug);

    // Everything: read and check, parse, product information, plugins.
    void load(platform::file::IStream& definitions, platform::file::IStream& signature,
              platform::file::IStream& permanentDefinitions, DefinitionsTarget& target) const;

    // The steps of load, for callers that time them.
    // Reads both documents; in normal mode uncompresses them and checks the
    // definitions' signature.
    DefinitionTexts read(platform::file::IStream& definitions, platform::file::IStream& signature,
                         platform::file::IStream& permanentDefinitions) const;
    // Checks the detached signature document over the uncompressed definitions.
    void verify(const std::vector<char>& definitions, platform::file::IStream& signature) const;
    // Parses both documents and stores the fifteen product values into target.
    void applyProductInformation(const DefinitionTexts& texts, DefinitionsTarget& target) const;

    // The update counter as the C library's atol reads it: leading white space,
    // an optional sign, the longest run of digits; no digits give 0. A number
    // beyond the range of int gives the nearest end of that range.
    static int counterOf(const std::string& text);

private:
    compression::UncompressionStream& _uncompressor;
    const std::vector<char>& _publicKey;
    bool _debug;
};

}  // namespace com::quorvex::products::tamblix
