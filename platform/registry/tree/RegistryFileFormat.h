#pragma once
// Wine's registry file format (system.reg, user.reg, userdef.reg) as a pure
// conversion between text and a tree. Writing gives Wine's own layout: keys
// depth first in Wine's order, values sorted, names and strings escaped, long hex
// data wrapped; a key that has subkeys but no values is left to its subkeys. A
// file Wine wrote is therefore written back byte for byte. Lines the registry does
// not interpret (the header, unknown # lines and comments of a key) are kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/tree/RegistryNode.h"

namespace windows::registry::tree {

struct RegistryFile {
    // The lines after "WINE REGISTRY Version 2" up to the first key, without the
    // blank line that opens the first key: ";; All keys relative to ...", "", "#arch=...".
    std::vector<std::string> header;
    RegistryNode root;
    // The size of the text the file was read from, so that writing can reserve its room.
    std::size_t sourceSize = 0;
};

struct RegistryFileError {
    std::size_t line = 0;  // 1 for the first line
    std::string reason;
};

// Parses a whole file. now (100 ns since 1601) is the time of keys whose line
// carries none. On failure error names the line and what is wrong with it, and
// file is left as it was.
bool parseRegistryFile(std::string_view text, std::uint64_t now, RegistryFile& file, RegistryFileError& error);

std::string writeRegistryFile(const RegistryFile& file);

// A file without keys, as Wine starts one: relativeTo is the text after
// ";; All keys relative to " (for example "REGISTRY\\\\Machine", escaped as in
// the file), archLine the "#arch=..." line or empty.
RegistryFile emptyRegistryFile(const std::string& relativeTo, const std::string& archLine);

// The first line of every registry file.
constexpr std::string_view REGISTRY_FILE_SIGNATURE = "WINE REGISTRY Version 2";

}  // namespace windows::registry::tree
