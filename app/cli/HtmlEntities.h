#pragma once
// The named character references a description may use.

#include <optional>
#include <string_view>

namespace com::quorvex::products::tamblix::cli {

// The character of a named reference without its & and ; ("eacute"), nullopt
// for a name HTML 4.01 does not define (names are case-sensitive).
std::optional<char32_t> namedEntity(std::string_view name);

}  // namespace com::quorvex::products::tamblix::cli
