#pragma once
// The container's leading size field: an unsigned 32-bit little-endian integer.

#include <cstdint>
#include <string>
#include <vector>

namespace compression {

constexpr std::size_t SIZE_FIELD_LENGTH = 4;

inline void writeSizeField(std::uint32_t value, char* to) {
    for (std::size_t i = 0; i < SIZE_FIELD_LENGTH; ++i) to[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::uint32_t readSizeField(const std::vector<char>& data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < SIZE_FIELD_LENGTH; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

// The leading bytes of a buffer that failure texts quote.
inline std::string quotedLead(const std::vector<char>& data) {
    return std::string(data.data(), data.size() < 256 ? data.size() : 256);
}

}  // namespace compression
