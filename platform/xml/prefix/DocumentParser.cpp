#include "platform/xml/prefix/DocumentParser.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <libxml/parserInternals.h>

#include "platform/xml/XmlText.h"
#include "platform/xml/prefix/NodeQueries.h"
#include "platform/xml/prefix/NodeText.h"

namespace windows::com::xml {

namespace {

// No DTD loading or validation, no entity substitution, no network.
constexpr int PARSE_OPTIONS = XML_PARSE_NONET | XML_PARSE_NOBLANKS;
constexpr std::size_t PARSE_PIECE = 256 * 1024;

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
    return node->type == XML_TEXT_NODE && node->content != nullptr &&
           isXmlSpace(reinterpret_cast<const char*>(node->content)) && node->parent != nullptr &&
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

// Given the whole text at once, libxml2 refuses documents past XML_MAX_LOOKUP_LIMIT
// bytes ("Huge input lookup"); fed in pieces, it lets go of what it has read and
// reads any size. Smaller documents are read whole, which gives the more precise
// reports for text that ends too early.
bool readInPieces(const std::string& bytes) { return bytes.size() > XML_MAX_LOOKUP_LIMIT; }

xmlParserCtxtPtr newContext(const std::string& bytes) {
    if (!readInPieces(bytes)) return xmlNewParserCtxt();
    // The first piece only tells the parser the encoding; parsing starts with xmlParseChunk.
    xmlParserCtxtPtr context = xmlCreatePushParserCtxt(nullptr, nullptr, bytes.data(), 4, nullptr);
    if (context != nullptr) xmlCtxtUseOptions(context, PARSE_OPTIONS);
    return context;
}

xmlDocPtr parse(xmlParserCtxtPtr context, const std::string& bytes, const ParseCapture& capture) {
    if (!readInPieces(bytes))
        return xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                 PARSE_OPTIONS);
    for (std::size_t at = 4; at < bytes.size() && !capture.failed; at += PARSE_PIECE) {
        const std::size_t piece = std::min(bytes.size() - at, PARSE_PIECE);
        xmlParseChunk(context, bytes.data() + at, static_cast<int>(piece), 0);
    }
    if (!capture.failed) xmlParseChunk(context, nullptr, 0, 1);
    xmlDocPtr document = context->myDoc;
    context->myDoc = nullptr;
    return document;
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
    libxml::OwnedParserContext context(newContext(bytes));
    if (context == nullptr) {
        error = failure(XML_ERR_NO_MEMORY, "There is not enough memory to parse the document.");
        return nullptr;
    }
    context->sax->serror = captureError;
    ParseCapture capture;
    libxml::OwnedDocument document;
    {
        CaptureScope scope(capture);
        document.reset(parse(context.get(), bytes, capture));
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
