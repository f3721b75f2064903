#pragma once
// The HOSTS file's text and lines: how the bytes read become lines, how a line
// is classified, and the text a list of lines is written back as.
//
// A line is blank when it holds only spaces and tabs, a comment when its first
// other character is "#", and otherwise it is searched (anywhere, leftmost
// match) with the one Perl-syntax expression HOSTS_LINE_EXPRESSION. Group 1 is
// the address, group 6 the first host name; further aliases stay in the line
// text only. The four numbers of the address are octets by hostsOctet; a line
// without a match, or with a number that is no octet, is invalid.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/plugins/HostsEntry.h"

namespace com::quorvex::products::tamblix {

extern const char* const HOSTS_LINE_EXPRESSION;

// Every "\r\n" and then every other "\r" becomes "\n", and every 0 byte goes.
std::string normaliseHostsText(const std::vector<char>& bytes);

// "0", "00" and "000" are 0; any other digit text is its decimal number, where
// 0 (four zeros or more) and numbers above 255 are no octet.
std::optional<std::uint8_t> hostsOctet(std::string_view digits);

// The entry of one line (without its line break). Lines of the common shapes
// (blanks, a comment, an address at the start followed by blanks and a name)
// are read directly, every other line by the expression; both give the same
// entry for every line.
HostsEntry classifyHostsLine(std::string line);

// The same by the expression alone, for lines that are not blank or comments.
HostsEntry classifyHostsLineByExpression(const std::string& line);

// Every line followed by "\r\n", in order.
std::string hostsFileText(const std::vector<HostsEntry>& lines);

}  // namespace com::quorvex::products::tamblix
