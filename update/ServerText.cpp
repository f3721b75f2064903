#include "update/ServerText.h"

#include <algorithm>

namespace com::quorvex::products::tamblix {

std::string quotedServerText(const char* bytes, std::size_t length) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string quoted;
    quoted.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F) {
            quoted += "\\x";
            quoted += HEX[byte >> 4];
            quoted += HEX[byte & 0x0F];
        } else {
            quoted += static_cast<char>(byte);
        }
    }
    return quoted;
}

std::string quotedServerText(const std::vector<char>& bytes, std::size_t limit) {
    return quotedServerText(bytes.data(), std::min(limit, bytes.size()));
}

std::string quotedServerText(const std::string& text, std::size_t limit) {
    return quotedServerText(text.data(), std::min(limit, text.size()));
}

}  // namespace com::quorvex::products::tamblix
