#include "platform/xml/prefix/DocumentParser.h"

#include <climits>
#include <vector>

#include "platform/xml/XmlText.h"
#include "platform/xml/prefix/NodeQueries.h"
#include "platform/xml/prefix/NodeText.h"

namespace windows::com::xml {

namespace {

// No DTD loading or validation, no entity substitution, no network.
constexpr int PARSE_OPTIONS = XML_PARSE_NONET | XML_PARSE_NOBLANKS;

// The first error of the parse running on this thread.
struct ParseCapture {
    bool failed = false;
    ParseError error;
    std::string decodedLine;
};
thread_local ParseCapture* currentCapture = nullptr;

// The line around the parser's position, from its own input, which is UTF-8 whatever
// the document's encoding.
std::string lineAtParserPosition(xmlParserCtxtPtr context) {
    if (context == nullptr || context->input == nullptr) return "";
    const xmlParserInputPtr input = context->input;
    if (input->base == nullptr || input->cur == nullptr || input->end == nullptr) return "";
    if (input->cur < input->base || input->cur > input->end) return "";
    const xmlChar* start = input->cur;
    while (start > input->base && start[-1] != '\n' && start[-1] != '\r') --start;
    const xmlChar* end = input->cur;
    while (end < input->end && *end != '\n' && *end != '\r') ++end;
    return std::string(reinterpret_cast<const char*>(start), end - start);
}

void captureError(void*, xmlErrorPtr error) {
    ParseCapture* capture = currentCapture;
    if (capture == nullptr || capture->failed || error == nullptr || error->level < XML_ERR_ERROR) return;
    capture->failed = true;
    capture->error.code = error->code;
    capture->error.line = error->line;
    capture->error.column = error->int2;
    capture->error.description = trimXmlSpace(libxml::text(reinterpret_cast<const xmlChar*>(error->message)));
    capture->decodedLine = lineAtParserPosition(static_cast<xmlParserCtxtPtr>(error->ctxt));
}

class CaptureScope {
public:
    explicit CaptureScope(ParseCapture& capture) { currentCapture = &capture; }
    ~CaptureScope() { currentCapture = nullptr; }
};

// The failing line as the program shows text: the input's own line where it is
// UTF-8, otherwise the parser's decoded one.
std::string failingLine(const std::string& bytes, const ParseCapture& capture) {
    const std::string line = sourceLineOf(bytes, capture.error.line);
    if (isXmlText(line)) return line;
    return isXmlText(capture.decodedLine) ? capture.decodedLine : "";
}

bool isBlankText(xmlNodePtr node) {
    return node->type == XML_TEXT_NODE && isXmlSpace(libxml::text(node->content)) && node->parent != nullptr &&
           node->parent->type == XML_ELEMENT_NODE && xmlNodeGetSpacePreserve(node->parent) != 1;
}

// The parser keeps blanks next to other text; the tree keeps none of them.
void dropBlankText(xmlDocPtr document) {
    std::vector<xmlNodePtr> blanks;
    forEachInSubtree(reinterpret_cast<xmlNodePtr>(document), [&](xmlNodePtr node) {
        if (isBlankText(node)) blanks.push_back(node);
        return true;
    });
    for (xmlNodePtr blank : blanks) {
        xmlUnlinkNode(blank);
        xmlFreeNode(blank);
    }
}

ParseError failure(long code, const std::string& description) {
    ParseError error;
    error.code = code;
    error.description = description;
    return error;
}

}  // namespace

std::shared_ptr<XmlTree> parseDocument(const std::string& bytes, ParseError& error) {
    libxml::enter();
    if (bytes.size() > INT_MAX) {
        error = failure(XML_ERR_NO_MEMORY, "The document is larger than the parser can read.");
        return nullptr;
    }
    libxml::OwnedParserContext context(xmlNewParserCtxt());
    if (context == nullptr) {
        error = failure(XML_ERR_NO_MEMORY, "There is not enough memory to parse the document.");
        return nullptr;
    }
    context->sax->serror = captureError;
    ParseCapture capture;
    libxml::OwnedDocument document;
    {
        CaptureScope scope(capture);
        document.reset(xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                         nullptr, PARSE_OPTIONS));
    }
    if (capture.failed || document == nullptr || !context->wellFormed || !context->nsWellFormed) {
        error = capture.error;
        if (!capture.failed) error.code = context->errNo;
        error.sourceLine = failingLine(bytes, capture);
        return nullptr;
    }
    if (entityTextSize(document.get()) > ENTITY_TEXT_LIMIT) {
        error = failure(XML_ERR_ENTITY_LOOP, "The entity references of the document stand for more than " +
                                                 std::to_string(ENTITY_TEXT_LIMIT) + " characters of text.");
        return nullptr;
    }
    dropBlankText(document.get());
    return std::make_shared<XmlTree>(document.release());
}

std::shared_ptr<XmlTree> emptyTree() {
    libxml::enter();
    xmlDocPtr document = xmlNewDoc(libxml::chars("1.0"));
    if (document == nullptr) return nullptr;
    return std::make_shared<XmlTree>(document);
}

}  // namespace windows::com::xml
