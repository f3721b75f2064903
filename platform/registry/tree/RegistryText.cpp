#include "platform/registry/tree/RegistryText.h"

#include "platform/registry/RegistryConstants.h"

namespace windows::registry::tree {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one sequence at text[i]; returns its length, 0 when it is not UTF-8.
std::size_t decodeSequence(std::string_view text, std::size_t i, char32_t& codePoint) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char first = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        value = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        value = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        value = first & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(byte(i + k))) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF))) return 0;
    codePoint = value;
    return length;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool isStringType(std::uint32_t type) { return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_MULTI_SZ; }

}  // namespace

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            units += static_cast<char16_t>(byte);
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeSequence(text, i, codePoint);
        if (length == 0) {
            units += static_cast<char16_t>(byte);
            ++i;
        } else if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            units += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
            i += length;
        } else {
            units += static_cast<char16_t>(codePoint);
            i += length;
        }
    }
    return units;
}

void appendUtf8(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const char32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            out += static_cast<char>(0xF0 | (codePoint >> 18));
            out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
            ++i;
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    appendUtf8(out, text);
    return out;
}

char16_t lowerCase(char16_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + 32) : c;
    const auto plus = [c](int offset) { return static_cast<char16_t>(c + offset); };
    // Ranges where upper and lower case letters alternate, the upper one first.
    const auto pairFrom = [c](char16_t first, char16_t last) {
        return c >= first && c <= last && ((c - first) % 2 == 0);
    };
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return plus(32);
    if (c == 0x130) return u'i';
    if (c == 0x178) return 0xFF;
    if (pairFrom(0x100, 0x12F) || pairFrom(0x132, 0x137) || pairFrom(0x139, 0x148) || pairFrom(0x14A, 0x177) ||
        pairFrom(0x179, 0x17E))
        return plus(1);
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return plus(37);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return plus(63);
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return plus(32);
    if (c >= 0x400 && c <= 0x40F) return plus(80);
    if (c >= 0x410 && c <= 0x42F) return plus(32);
    if (pairFrom(0x460, 0x481) || pairFrom(0x48A, 0x4BF) || pairFrom(0x4D0, 0x52F)) return plus(1);
    if (c >= 0x4C1 && c <= 0x4CE && (c - 0x4C1) % 2 == 0) return plus(1);
    if (c >= 0x531 && c <= 0x556) return plus(48);
    if (c >= 0x10A0 && c <= 0x10C5) return plus(7264);
    if (pairFrom(0x1E00, 0x1E95) || pairFrom(0x1EA0, 0x1EFF)) return plus(1);
    if (c >= 0x2160 && c <= 0x216F) return plus(16);
    if (c >= 0x24B6 && c <= 0x24CF) return plus(26);
    if (c >= 0xFF21 && c <= 0xFF3A) return plus(32);
    return c;
}

std::u16string lowerCase(std::u16string_view text) {
    std::u16string lower(text);
    for (auto& unit : lower) unit = lowerCase(unit);
    return lower;
}

int compareNames(std::u16string_view left, std::u16string_view right) {
    const std::size_t common = left.size() < right.size() ? left.size() : right.size();
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t a = left[i];
        const char16_t b = right[i];
        if (a == b) continue;
        const int difference = static_cast<int>(lowerCase(a)) - static_cast<int>(lowerCase(b));
        if (difference != 0) return difference;
    }
    if (left.size() == right.size()) return 0;
    return left.size() < right.size() ? -1 : 1;
}

bool sameName(std::u16string_view left, std::u16string_view right) {
    return left.size() == right.size() && compareNames(left, right) == 0;
}

std::string_view cText(std::string_view text) {
    const auto zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

std::u16string unitsOfBytes(const std::uint8_t* bytes, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return units;
}

std::vector<std::uint8_t> bytesOfUnits(std::u16string_view units) {
    std::vector<std::uint8_t> bytes(units.size() * 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
    }
    return bytes;
}

std::string narrowData(std::uint32_t type, const std::vector<std::uint8_t>& stored) {
    if (!isStringType(type)) return std::string(stored.begin(), stored.end());
    return utf16ToUtf8(unitsOfBytes(stored.data(), stored.size()));
}

std::vector<std::uint8_t> storedData(std::uint32_t type, std::string_view narrow) {
    if (!isStringType(type)) return std::vector<std::uint8_t>(narrow.begin(), narrow.end());
    return bytesOfUnits(utf8ToUtf16(narrow));
}

}  // namespace windows::registry::tree
