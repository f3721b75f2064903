#pragma once
// Checks and trims of the UTF-8 text that crosses the XML layer's boundary.

#include <string>
#include <string_view>

namespace windows::com::xml {

// True when text is well-formed UTF-8 made only of characters an XML 1.0 document
// may hold (tab, line feed, carriage return and U+0020 upwards, without the
// surrogates, U+FFFE and U+FFFF). Anything else could not be written out and read
// back, so the layer refuses it instead of storing it.
bool isXmlText(const std::string& text);

// True when text holds only XML white space (blank, tab, carriage return, line feed).
bool isXmlSpace(std::string_view text);

// The text without leading and trailing XML white space.
std::string trimXmlSpace(const std::string& text);

}  // namespace windows::com::xml
