#include "platform/registry/tree/RegistryText.h"

#include "platform/registry/RegistryConstants.h"
#include "platform/util/CaseFolding.h"
#include "platform/util/Utf8.h"

namespace windows::registry::tree {

namespace {

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
        const std::size_t length = util::decodeUtf8(text, i, codePoint);
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
        char32_t codePoint = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[++i] - 0xDC00);
        util::appendUtf8(out, codePoint);
    }
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    appendUtf8(out, text);
    return out;
}

char16_t lowerCase(char16_t c) { return static_cast<char16_t>(util::foldCase(c)); }

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
