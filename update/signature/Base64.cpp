#include "update/signature/Base64.h"

#include <cstdint>

namespace encryption::pki {

namespace {

const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int NOT_IN_ALPHABET = -1;

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return NOT_IN_ALPHABET;
}

// The character at position, or a terminator that is in no alphabet.
char at(const std::string& text, std::size_t position) { return position < text.size() ? text[position] : '\0'; }

enum class GroupResult { FULL, END_OF_VALUE, FAILED };

// Decodes the group of four characters at position into 3, 2 or 1 bytes.
GroupResult decodeGroup(const std::string& text, std::size_t position, std::vector<char>& decoded) {
    const int first = sextet(at(text, position));
    if (first == NOT_IN_ALPHABET) return GroupResult::END_OF_VALUE;
    const int second = sextet(at(text, position + 1));
    if (second == NOT_IN_ALPHABET) return GroupResult::FAILED;
    const char thirdChar = at(text, position + 2);
    const char fourthChar = at(text, position + 3);
    int third = 0;
    int fourth = 0;
    std::size_t count = 3;
    if (thirdChar == '=') {
        if (fourthChar != '=') return GroupResult::FAILED;
        count = 1;
    } else {
        third = sextet(thirdChar);
        if (third == NOT_IN_ALPHABET) return GroupResult::FAILED;
        if (fourthChar == '=') {
            count = 2;
        } else {
            fourth = sextet(fourthChar);
            if (fourth == NOT_IN_ALPHABET) return GroupResult::FAILED;
        }
    }
    const std::uint32_t group = (first << 18) | (second << 12) | (third << 6) | fourth;
    for (std::size_t k = 0; k < count; ++k) decoded.push_back(static_cast<char>((group >> (16 - 8 * k)) & 0xFF));
    return count == 3 ? GroupResult::FULL : GroupResult::END_OF_VALUE;
}

}  // namespace

std::string encodeBase64(const std::vector<char>& bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        text += ALPHABET[(group >> 18) & 0x3F];
        text += ALPHABET[(group >> 12) & 0x3F];
        text += count > 1 ? ALPHABET[(group >> 6) & 0x3F] : '=';
        text += count > 2 ? ALPHABET[group & 0x3F] : '=';
    }
    return text;
}

bool decodeBase64(const std::string& text, std::vector<char>& bytes) {
    std::vector<char> decoded;
    decoded.reserve(text.size() / 4 * 3);
    GroupResult result = GroupResult::FULL;
    for (std::size_t i = 0; i < text.size() && result == GroupResult::FULL; i += 4) {
        result = decodeGroup(text, i, decoded);
        if (result == GroupResult::FAILED) {
            bytes.clear();
            return false;
        }
    }
    bytes = std::move(decoded);
    return true;
}

}  // namespace encryption::pki
