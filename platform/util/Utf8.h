#pragma once
// UTF-8, the narrow text of the prefix platform's layers (names on disk, and the
// registry's text as the program sees it).

#include <cstddef>
#include <string>
#include <string_view>

namespace util {

// Decodes the sequence that starts at text[at]: its length in bytes, with its
// code point in codePoint, or 0 when the bytes there are not a well-formed
// sequence (a stray continuation byte, an overlong form, a cut sequence, a value
// above U+10FFFF). The three-byte forms of surrogates are accepted, so that a lone
// UTF-16 surrogate can travel through narrow text.
std::size_t decodeUtf8(std::string_view text, std::size_t at, char32_t& codePoint);

// Appends the UTF-8 form of a code point up to U+10FFFF.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace util
