#pragma once
// JSON text pieces for the command line's report.

#include <string>

namespace com::quorvex::products::tamblix::cli {

// The text as a JSON string literal, quotes included. Texts are byte strings
// from the definitions, the machine and the engine: well-formed UTF-8 passes
// unchanged, every other byte is read as the Latin-1 character of that value
// (\u00XX), so the output is always valid JSON whatever the bytes.
std::string jsonString(const std::string& text);

}  // namespace com::quorvex::products::tamblix::cli
