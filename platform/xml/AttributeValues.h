#pragma once
// How attribute texts are read as typed values.

#include <string>

namespace windows::com::xml {

// "TRUE", "true", "1" give true, "FALSE", "false", "0" give false (case-sensitive);
// any other value throws XMLException naming the attribute and the value.
bool booleanOfAttribute(const std::string& name, const std::string& value);

// The decimal number at the start of text (after optional white space and a sign).
// Throws exceptions::NumberFormatException for an empty text, for a text whose
// number is 0 without starting with the digit 0, and for a number outside the range
// of int (which would otherwise come back as some other number).
int integerOfText(const std::string& text);

// The C floating-point literal at the start of text; trailing text is ignored and a
// text that is no number gives 0.0.
double doubleOfText(const std::string& text);

}  // namespace windows::com::xml
