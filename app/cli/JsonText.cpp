#include "app/cli/JsonText.h"

#include <cstdio>

namespace com::quorvex::products::tamblix::cli {

namespace {

std::string unicodeEscape(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
    return buffer;
}

// The length of the well-formed UTF-8 sequence at position, 0 when there is none.
std::size_t utf8Length(const std::string& text, std::size_t position) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(position);
    std::size_t length;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (position + length > text.size()) return 0;
    if (byte(position + 1) < low || byte(position + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(position + i) < 0x80 || byte(position + i) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8Length(text, i);
            if (length == 0) {
                out += unicodeEscape(c);
                ++i;
            } else {
                out.append(text, i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F)
                    out += unicodeEscape(c);
                else
                    out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

}  // namespace com::quorvex::products::tamblix::cli
