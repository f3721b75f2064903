#pragma once
// Machine-derived text (key names, value names and data, paths) is escaped
// before it goes into a page; texts from the definitions keep their mark-up.

#include <string>

namespace com::quorvex::products::tamblix {

// & < > " and ' as character references; every other byte unchanged.
std::string escapeHtml(const std::string& text);

}  // namespace com::quorvex::products::tamblix
