#pragma once
// Text as the registry keeps it and as the program sees it. The registry keeps
// names and string data as UTF-16 code units; the rest of the program sees
// narrow UTF-8 text. Both directions are lossless: a lone surrogate travels as
// its three-byte form, and a byte that is not UTF-8 is read as the code point of
// the same number (U+0080 to U+00FF).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace windows::registry::tree {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
void appendUtf8(std::string& out, std::u16string_view text);

// The lower-case form of a code unit, as the registry compares names: Windows'
// case table (util/CaseFolding.h), which Wine's server uses for key and value
// names too.
char16_t lowerCase(char16_t unit);
std::u16string lowerCase(std::u16string_view text);

// Wine's order of names: code units compared in lower case, then the shorter first.
int compareNames(std::u16string_view left, std::u16string_view right);
bool sameName(std::u16string_view left, std::u16string_view right);

// The text as a C call sees it: up to its first zero.
std::string_view cText(std::string_view text);

// Value data as the narrow calls see it: the string types (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) converted from UTF-16LE to UTF-8, all other types as stored.
std::string narrowData(std::uint32_t type, const std::vector<std::uint8_t>& stored);
std::vector<std::uint8_t> storedData(std::uint32_t type, std::string_view narrow);

std::u16string unitsOfBytes(const std::uint8_t* bytes, std::size_t size);
std::vector<std::uint8_t> bytesOfUnits(std::u16string_view units);

}  // namespace windows::registry::tree
