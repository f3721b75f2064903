#include "engine/plugins/HostsLine.h"

#include <boost/regex.hpp>

namespace com::quorvex::products::tamblix {

const char* const HOSTS_LINE_EXPRESSION = "\\s*(([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+))\\s+([^ \\t#]+)\\s*";

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

const boost::regex& lineExpression() {
    static const boost::regex expression(HOSTS_LINE_EXPRESSION, boost::regex::perl);
    return expression;
}

// A mapping-like line's entry from its address and first name: a mapping when
// all four numbers are octets, else invalid with the texts as matched.
HostsEntry mappingEntry(const std::string& line, std::string address, std::string host,
                        const std::string_view numbers[4]) {
    HostsEntry entry;
    entry.kind = HostsEntry::MAPPING;
    for (int i = 0; i < 4; ++i) {
        const std::optional<std::uint8_t> octet = hostsOctet(numbers[i]);
        if (!octet) {
            entry.kind = HostsEntry::INVALID;
            entry.octets = {};
            break;
        }
        entry.octets[static_cast<std::size_t>(i)] = *octet;
    }
    entry.address = std::move(address);
    entry.host = std::move(host);
    entry.line = line;
    return entry;
}

// The common shape: blanks, four digit runs joined by dots, blanks, and a name
// that starts with a printable character other than "#". There the expression's
// first attempt, at the start of the line, succeeds with every repetition taken
// whole, so its groups are exactly these runs. Anything else (other white space
// such as "\v" or "\r", a fifth dot, a letter after the digits) is left to the
// expression, which may then find its match further on.
bool readCommonShape(const std::string& line, std::size_t at, HostsEntry& entry) {
    const std::size_t size = line.size();
    const std::size_t start = at;
    std::string_view numbers[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at >= size || line[at] != '.') return false;
            ++at;
        }
        const std::size_t from = at;
        while (at < size && isDigit(line[at])) ++at;
        if (at == from) return false;
        numbers[i] = std::string_view(line).substr(from, at - from);
    }
    const std::size_t addressEnd = at;
    if (at >= size || !isBlank(line[at])) return false;
    while (at < size && isBlank(line[at])) ++at;
    if (at >= size || line[at] == '#' || line[at] < 0x21 || line[at] > 0x7e) return false;
    const std::size_t hostStart = at;
    while (at < size && !isBlank(line[at]) && line[at] != '#') ++at;
    entry = mappingEntry(line, line.substr(start, addressEnd - start), line.substr(hostStart, at - hostStart), numbers);
    return true;
}

}  // namespace

std::string normaliseHostsText(const std::vector<char>& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text.push_back('\n');
        } else if (c != '\0') {
            text.push_back(c);
        }
    }
    return text;
}

std::optional<std::uint8_t> hostsOctet(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    if (digits.size() <= 3 && digits.find_first_not_of('0') == std::string_view::npos) return 0;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return std::nullopt;
    const std::string_view significant = digits.substr(first);
    if (significant.size() > 3) return std::nullopt;
    unsigned value = 0;
    for (const char c : significant) value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

HostsEntry classifyHostsLineByExpression(const std::string& line) {
    boost::smatch match;
    if (!boost::regex_search(line, match, lineExpression())) {
        HostsEntry entry;
        entry.line = line;
        return entry;
    }
    std::string_view numbers[4];
    const std::string_view text(line);
    for (int i = 0; i < 4; ++i)
        numbers[i] = text.substr(static_cast<std::size_t>(match.position(i + 2)),
                                 static_cast<std::size_t>(match.length(i + 2)));
    return mappingEntry(line, match.str(1), match.str(6), numbers);
}

HostsEntry classifyHostsLine(std::string line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    HostsEntry entry;
    if (at == line.size() || line[at] == '#') {
        entry.kind = at == line.size() ? HostsEntry::BLANK : HostsEntry::COMMENT;
        entry.line = std::move(line);
        return entry;
    }
    if (isDigit(line[at]) && readCommonShape(line, at, entry)) return entry;
    return classifyHostsLineByExpression(line);
}

std::string hostsFileText(const std::vector<HostsEntry>& lines) {
    std::size_t size = 0;
    for (const HostsEntry& entry : lines) size += entry.line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const HostsEntry& entry : lines) {
        text += entry.line;
        text += "\r\n";
    }
    return text;
}

}  // namespace com::quorvex::products::tamblix
