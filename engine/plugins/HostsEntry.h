#pragma once
// One line of the HOSTS file as it was classified.

#include <array>
#include <cstdint>
#include <string>

namespace com::quorvex::products::tamblix {

struct HostsEntry {
    static constexpr int INVALID = 0;
    static constexpr int COMMENT = 1;
    static constexpr int BLANK = 2;
    static constexpr int MAPPING = 3;

    int kind = INVALID;
    // The first host name of a mapping line; empty for other kinds.
    std::string host;
    // The address text as written, e.g. "127.0.0.1".
    std::string address;
    // The address's four numbers; zero unless a mapping.
    std::array<std::uint8_t, 4> octets{};
    // The complete line without its line break: what is written back.
    std::string line;
};

// Equal in kind, host, address and line (case-sensitive); octets do not count.
inline bool operator==(const HostsEntry& a, const HostsEntry& b) {
    return a.kind == b.kind && a.host == b.host && a.address == b.address && a.line == b.line;
}

}  // namespace com::quorvex::products::tamblix
