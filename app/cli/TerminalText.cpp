#include "app/cli/TerminalText.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "app/cli/HtmlEntities.h"
#include "platform/util/Utf8.h"

namespace com::quorvex::products::tamblix::cli {

namespace {

constexpr std::size_t NONE = std::string::npos;

// Elements whose start or end separates the text before from the text after.
const std::string_view BREAKING_TAGS[] = {
    "address", "blockquote", "br",    "caption", "center", "dd", "div", "dl", "dt", "h1", "h2",    "h3", "h4",
    "h5",      "h6",         "hr",    "li",      "ol",     "p",  "pre", "table", "tbody", "td", "tfoot", "th",
    "thead",   "tr",         "ul",
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

unsigned digitValue(char c) {
    return isDigit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(lower(c) - 'a' + 10);
}

// Where the tag (or comment) that begins at html[at] == '<' ends, just after its
// '>'; NONE when the '<' begins no tag and is text.
std::size_t tagEnd(const std::string& html, std::size_t at) {
    if (html.compare(at, 4, "<!--") == 0) {
        const std::size_t close = html.find("-->", at + 4);
        return close == NONE ? html.size() : close + 3;
    }
    if (at + 1 >= html.size()) return NONE;
    const char next = html[at + 1];
    if (!isLetter(next) && next != '/' && next != '!' && next != '?') return NONE;
    char quote = 0;
    for (std::size_t i = at + 1; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return html.size();
}

std::string tagName(const std::string& html, std::size_t at) {
    std::size_t i = at + 1;
    if (i < html.size() && html[i] == '/') ++i;
    std::string name;
    while (i < html.size() && (isLetter(html[i]) || isDigit(html[i]))) name += lower(html[i++]);
    return name;
}

bool breaksText(const std::string& name) {
    return std::find(std::begin(BREAKING_TAGS), std::end(BREAKING_TAGS), name) != std::end(BREAKING_TAGS);
}

// Where the end tag of a script or style element begins, from at on.
std::size_t endTagOf(const std::string& html, std::size_t at, const std::string& name) {
    for (std::size_t i = html.find("</", at); i != NONE; i = html.find("</", i + 2))
        if (tagName(html, i) == name) return i;
    return html.size();
}

// Decodes the character reference at html[at] == '&' into text and moves at past
// it; false when there is none there that HTML defines.
bool decodeReference(const std::string& html, std::size_t& at, std::string& text) {
    std::size_t i = at + 1;
    char32_t codePoint = 0;
    if (i < html.size() && html[i] == '#') {
        const bool hex = i + 1 < html.size() && (html[i + 1] == 'x' || html[i + 1] == 'X');
        i += hex ? 2 : 1;
        const std::size_t digits = i;
        unsigned long value = 0;
        while (i < html.size() && (hex ? isHexDigit(html[i]) : isDigit(html[i]))) {
            if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digitValue(html[i]);
            ++i;
        }
        if (i == digits || i >= html.size() || html[i] != ';') return false;
        const bool usable = value != 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
        codePoint = usable ? static_cast<char32_t>(value) : U'\uFFFD';
    } else {
        const std::size_t start = i;
        while (i < html.size() && i - start < 32 && (isLetter(html[i]) || isDigit(html[i]))) ++i;
        if (i == start || i >= html.size() || html[i] != ';') return false;
        const auto named = namedEntity(std::string_view(html).substr(start, i - start));
        if (!named) return false;
        codePoint = *named;
    }
    util::appendUtf8(text, codePoint);
    at = i + 1;
    return true;
}

std::string collapsedWhiteSpace(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    bool blank = false;
    for (const char c : text) {
        if (isWhiteSpace(c)) {
            blank = !line.empty();
            continue;
        }
        if (blank) line += ' ';
        blank = false;
        line += c;
    }
    return line;
}

void appendEscaped(std::string& out, unsigned value) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02X", value);
    out += escape;
}

std::string shownText(const std::string& text, bool lineBreaks) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        char32_t codePoint = 0;
        const std::size_t length = util::decodeUtf8(text, i, codePoint);
        const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
        if (length == 0 || surrogate) {
            appendEscaped(shown, byte);
            ++i;
            continue;
        }
        i += length;
        if (lineBreaks && codePoint == '\r' && i < text.size() && text[i] == '\n') continue;
        if (lineBreaks && codePoint == '\n')
            shown += '\n';
        else if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0))
            appendEscaped(shown, static_cast<unsigned>(codePoint));
        else
            shown.append(text, i - length, length);
    }
    return shown;
}

}  // namespace

std::string htmlToText(const std::string& html) {
    std::string text;
    text.reserve(html.size());
    for (std::size_t i = 0; i < html.size();) {
        if (html[i] == '<') {
            const std::size_t end = tagEnd(html, i);
            if (end != NONE) {
                const std::string name = tagName(html, i);
                const bool closing = html[i + 1] == '/';
                if (breaksText(name)) text += ' ';
                i = end;
                if (!closing && (name == "script" || name == "style")) i = endTagOf(html, i, name);
                continue;
            }
        } else if (html[i] == '&' && decodeReference(html, i, text)) {
            continue;
        }
        text += html[i++];
    }
    return collapsedWhiteSpace(text);
}

std::string terminalText(const std::string& text) { return shownText(text, false); }

std::string terminalLines(const std::string& text) { return shownText(text, true); }

}  // namespace com::quorvex::products::tamblix::cli
