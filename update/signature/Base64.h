#pragma once
// Base64 in the standard alphabet with "=" padding, as the detached signature
// document carries its two values.

#include <string>
#include <vector>

namespace encryption::pki {

// No line breaks, no white space.
std::string encodeBase64(const std::vector<char>& bytes);

// Decodes groups of four characters from the start of text. A group whose first
// character is outside the alphabet ends the value (so a following tag ends it);
// decoding also ends after the first group with padding. Any other character
// outside the alphabet, or a group cut short by the end of the text, fails: then
// bytes is left empty and the answer is false.
bool decodeBase64(const std::string& text, std::vector<char>& bytes);

}  // namespace encryption::pki
