#pragma once
// Registry file text for tests: a header, keys and link keys in Wine's format.

#include <string>

#include "platform/registry/tree/RegistryText.h"

namespace registry_test {

inline std::string header(const std::string& relativeTo = "REGISTRY\\\\Machine") {
    return "WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n\n#arch=win64\n";
}

// A key block; path and lines as they stand in the file.
inline std::string key(const std::string& path, const std::string& lines = "") {
    return "\n[" + path + "] 1700427978\n#time=1da1b2c3d4e5f60\n" + lines;
}

// A #link key pointing to an NT path such as \Registry\Machine\System\ControlSet001.
inline std::string linkKey(const std::string& path, const std::string& target) {
    static const char HEX[] = "0123456789abcdef";
    std::string data;
    for (const char16_t unit : windows::registry::tree::utf8ToUtf16(target)) {
        for (const unsigned byte : {unsigned(unit & 0xFF), unsigned(unit >> 8)}) {
            if (!data.empty()) data += ',';
            data += HEX[byte >> 4];
            data += HEX[byte & 0xF];
        }
    }
    return key(path, "#link\n\"SymbolicLinkValue\"=hex(6):" + data + "\n");
}

}  // namespace registry_test
