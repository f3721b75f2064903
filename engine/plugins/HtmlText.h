#pragma once
// Machine-derived text (key names, value names and data, paths) is escaped
// before it goes into a page; texts from the definitions keep their mark-up.

#include <string>
#include <string_view>

namespace com::quorvex::products::tamblix {

// & < > " and ' as character references; every other byte unchanged.
std::string escapeHtml(const std::string& text);
// The same, appended to out (a page being built).
void appendEscapedHtml(std::string& out, std::string_view text);

}  // namespace com::quorvex::products::tamblix
