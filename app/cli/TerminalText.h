#pragma once
// Text for a terminal. Descriptions come from the definitions as HTML (with the
// machine's names escaped into them); the listing shows them as the page would
// read, on one line. Machine texts (key and value names, data, paths) may hold
// any bytes; the listing shows them without letting one move the cursor, change
// the terminal or break a line.

#include <string>

namespace com::quorvex::products::tamblix::cli {

// The text of an HTML fragment on one line: tags (and comments, and the content
// of script and style elements) dropped, tags that end a line or a cell
// (br, p, div, li, td, ...) read as a blank, character references decoded
// (named ones of HTML 4.01, decimal and hexadecimal ones; an unknown or
// unfinished one stays as written), every run of white space one blank, none at
// either end. Control characters that remain are left for terminalText.
std::string htmlToText(const std::string& html);

// The text as a terminal may show it: well-formed UTF-8 as it is, except control
// characters (U+0000 to U+001F, U+007F to U+009F), and bytes that are not UTF-8,
// which are shown as \xNN (the code point's or the byte's value).
std::string terminalText(const std::string& text);

// The same for a text of several lines (a problem or an error with the system's
// message): its line feeds stay, a carriage return before one is dropped.
std::string terminalLines(const std::string& text);

}  // namespace com::quorvex::products::tamblix::cli
