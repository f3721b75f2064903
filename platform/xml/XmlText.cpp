#include "platform/xml/XmlText.h"

#include <cstdint>

namespace windows::com::xml {

namespace {

constexpr const char* XML_SPACE = " \t\r\n";

bool isXmlCharacter(std::uint32_t c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c <= 0xD7FF) return true;
    if (c < 0xE000) return false;
    if (c <= 0xFFFD) return true;
    return c >= 0x10000 && c <= 0x10FFFF;
}

// Decodes the character at text[pos], advancing pos; false for a malformed sequence
// (overlong forms and truncated sequences included).
bool decodeUtf8(const std::string& text, std::size_t& pos, std::uint32_t& c) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (pos + length > text.size()) return false;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return false;
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c >= minimum;
}

}  // namespace

bool isXmlText(const std::string& text) {
    std::size_t pos = 0;
    std::uint32_t c = 0;
    while (pos < text.size()) {
        if (!decodeUtf8(text, pos, c) || !isXmlCharacter(c)) return false;
    }
    return true;
}

bool isXmlSpace(std::string_view text) { return text.find_first_not_of(XML_SPACE) == std::string::npos; }

std::string trimXmlSpace(const std::string& text) {
    const auto first = text.find_first_not_of(XML_SPACE);
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(XML_SPACE);
    return text.substr(first, last - first + 1);
}

}  // namespace windows::com::xml
