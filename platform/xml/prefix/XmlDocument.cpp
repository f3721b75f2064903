#include "platform/xml/XmlDocument.h"

#include <cstdint>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/FileReplacement.h"
#include "platform/xml/SharedParses.h"
#include "platform/xml/XmlFailure.h"
#include "platform/xml/XmlText.h"
#include "platform/xml/prefix/DocumentFiles.h"
#include "platform/xml/prefix/DocumentParser.h"
#include "platform/xml/prefix/NodeFactory.h"
#include "platform/xml/prefix/NodeQueries.h"
#include "platform/xml/prefix/XPathSelection.h"
#include "platform/xml/prefix/XmlAccess.h"

namespace windows::com::xml {

namespace {

// The report of a file that could not be read: its Windows error as the HRESULT
// the parser would give, and the error's text as description.
ParseError unreadableFile(int windowsError) {
    ParseError error;
    error.code = static_cast<std::int32_t>(0x80070000u | static_cast<std::uint32_t>(windowsError & 0xFFFF));
    std::string text;
    if (platformErrorText(windowsError, text)) error.description = trimXmlSpace(text);
    return error;
}

// The document in UTF-8; false when it could not be serialised.
bool serialise(xmlDocPtr document, std::string& bytes) {
    bytes.clear();
    if (document->children == nullptr) return true;
    libxml::enter();
    xmlChar* buffer = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document, &buffer, &size, "UTF-8");
    const libxml::OwnedString owned(buffer);
    if (buffer == nullptr || size < 0) return false;
    bytes.assign(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
    return true;
}

}  // namespace

XmlDocument::XmlDocument() : _tree(emptyTree()) {
    if (_tree == nullptr) {
        throwXmlFailure("Error when creating the DOM_DOCUMENT_INSTANCE.", platform::winerror::NOT_ENOUGH_MEMORY);
    }
}

XmlDocument::~XmlDocument() = default;

void XmlDocument::loadXml(const std::string& text) {
    if (auto shared = SharedParses::treeOf(text)) {
        _tree = std::move(shared);
        return;
    }
    ParseError error;
    if (auto tree = parseDocument(text, error)) {
        SharedParses::keep(text, tree);
        _tree = std::move(tree);
        return;
    }
    if (auto empty = emptyTree()) _tree = std::move(empty);
    throwXmlFailure("Error when loading the XML document from the memory.\n\n" + parseErrorReport(error),
                    platform::winerror::INVALID_DATA);
}

void XmlDocument::loadFile(const std::string& path) {
    const std::string message = "Error when loading the XML document " + path + "\n\n";
    std::string bytes;
    ParseError error;
    const int readError = readDocumentFile(path, bytes);
    std::shared_ptr<XmlTree> tree = readError == 0 ? parseDocument(bytes, error) : nullptr;
    if (tree != nullptr) {
        _tree = std::move(tree);
        return;
    }
    if (auto empty = emptyTree()) _tree = std::move(empty);
    if (readError != 0) throwXmlFailure(message + parseErrorReport(unreadableFile(readError)), readError);
    throwXmlFailure(message + parseErrorReport(error), platform::winerror::INVALID_DATA);
}

std::string XmlDocument::getXml() const {
    std::string bytes;
    serialise(_tree->document(), bytes);
    return bytes;
}

void XmlDocument::save(const std::string& path) const {
    const std::string message = "Error when saving the XML document to the file " + path;
    std::string bytes;
    if (!serialise(_tree->document(), bytes)) throwXmlFailure(message, platform::winerror::NOT_ENOUGH_MEMORY);
    if (const auto failure = platform::file::replaceFile(path, bytes))
        throwXmlFailure(message, platform::windowsErrorOfErrno(failure.value()));
}

XmlNodeList XmlDocument::selectNodes(const std::string& xpath) const {
    std::vector<xmlNodePtr> nodes;
    const int error = selectXPath(_tree->document(), _tree->documentNode(), xpath, nodes);
    if (error != platform::winerror::SUCCESS) {
        throwXmlFailure("Error when selecting nodes with the expression " + xpath + ".", error);
    }
    return XmlAccess::makeList(_tree, nodes);
}

XmlNodeList XmlDocument::getElementsByTagName(const std::string& tag) const {
    return XmlAccess::makeList(_tree, elementsNamed(_tree->documentNode(), tag));
}

XmlNode XmlDocument::createNode(const XmlNodeTypeValue& type, const std::string& name,
                                const std::string& namespaceUri) {
    _tree->requireWritable("Could not create the XML node '" + name + "' in the namespace URI '" + namespaceUri + "'.");
    int error = platform::winerror::INVALID_PARAMETER;
    const int number = nodeTypeNumberOf(type);
    xmlNodePtr node = createTreeNode(_tree->document(), number, name, namespaceUri, error);
    if (node == nullptr) {
        throwXmlFailure("Could not create the XML node '" + name + "' in the namespace URI '" + namespaceUri + "'.",
                        error);
    }
    _tree->adopt(node);
    return XmlAccess::makeNode(_tree, node);
}

}  // namespace windows::com::xml
