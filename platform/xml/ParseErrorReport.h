#pragma once
// The report of a failed load: what the parser said, one field per line.

#include <string>

namespace windows::com::xml {

struct ParseError {
    long code = 0;
    long line = 0;    // 1-based; 0 when unknown
    long column = 0;  // 1-based position within the line; 0 when unknown
    std::string description;  // empty when the parser gave none
    std::string sourceLine;   // empty when unknown
};

// "Error Code: <code>\nLine: <line>\nRow: <column>\nDescription: <text or N/A>\n"
// "Error line: <source text or N/A>\n".
std::string parseErrorReport(const ParseError& error);

// Line number `line` (1-based) of text, without its line end. Lines are counted at
// "\n" as the parser counts them ("\r\n" ends a line too). Empty when the text has
// no such line.
std::string sourceLineOf(const std::string& text, long line);

}  // namespace windows::com::xml
