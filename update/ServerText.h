#pragma once
// Bytes a server sent, as failure texts quote them: control characters other
// than tab, line feed and carriage return (a 0 byte above all) are written as
// \xNN, so the quote cannot end or garble the message that carries it.

#include <cstddef>
#include <string>
#include <vector>

namespace com::quorvex::products::tamblix {

std::string quotedServerText(const char* bytes, std::size_t length);
// The first at most limit bytes.
std::string quotedServerText(const std::vector<char>& bytes, std::size_t limit);
std::string quotedServerText(const std::string& text, std::size_t limit);

}  // namespace com::quorvex::products::tamblix
