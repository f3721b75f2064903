#pragma once
// Letter case as Windows ignores it in file, key and value names. Two names are
// the same when they are the same after folding: each letter of an upper- and
// lower-case pair that map to each other stands for its lower-case letter, within
// the Basic Multilingual Plane (the table is generated from Unicode's simple case
// foldings, see scripts/make-case-table.py). So É and é are one letter, and so
// are Σ and σ; final ς, ß and SS, dotless ı and I, İ and i, the Kelvin sign and
// K, and letters beyond U+FFFF stay apart, as they do for Windows.
//
// Narrow text is UTF-8. A byte that does not belong to a well-formed sequence
// folds to itself, so it is never the same as a letter. Folding keeps the order
// of the letters, but not always the length of the text in bytes.

#include <string>
#include <string_view>

namespace util {

// The folded form of a code point; also of a UTF-16 code unit, where surrogates
// fold to themselves.
char32_t foldCase(char32_t codePoint);

// The text with every letter folded; bytes that are not UTF-8 unchanged.
std::string foldCase(std::string_view text);

bool sameIgnoringCase(std::string_view left, std::string_view right);

}  // namespace util
