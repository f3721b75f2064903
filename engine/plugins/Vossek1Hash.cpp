#include "engine/plugins/Vossek1Hash.h"

#include <array>
#include <cstdlib>

namespace com::quorvex::products::tamblix {

Histogram Vossek1Hash::compute(const char* bytes, std::size_t length) const {
    // Four partial histograms, so that runs of one sum do not wait on each other.
    std::array<std::array<std::uint32_t, BINS>, 4> partial{};
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    if (length >= 6) {
        for (; i + 6 <= length; i += 4) {
            ++partial[0][static_cast<unsigned char>(b[i] + b[i + 1] + b[i + 2])];
            ++partial[1][static_cast<unsigned char>(b[i + 1] + b[i + 2] + b[i + 3])];
            ++partial[2][static_cast<unsigned char>(b[i + 2] + b[i + 3] + b[i + 4])];
            ++partial[3][static_cast<unsigned char>(b[i + 3] + b[i + 4] + b[i + 5])];
        }
    }
    for (; i < length; ++i) {
        const unsigned next = i + 1 < length ? b[i + 1] : 0;
        const unsigned after = i + 2 < length ? b[i + 2] : 0;
        ++partial[0][(b[i] + next + after) & 0xFF];
    }
    Histogram histogram(BINS);
    for (std::size_t k = 0; k < BINS; ++k) histogram[k] = partial[0][k] + partial[1][k] + partial[2][k] + partial[3][k];
    return histogram;
}

int Vossek1Hash::sum(const Histogram& histogram) const {
    std::uint32_t total = 0;
    for (std::uint32_t count : histogram) total += count;
    return static_cast<int>(total);
}

double Vossek1Hash::distance(const Histogram& a, const Histogram& b) const {
    std::uint32_t differing = 0;
    std::uint32_t total = 0;
    const std::size_t bins = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < bins; ++k) {
        differing += a[k] > b[k] ? a[k] - b[k] : b[k] - a[k];
        total += a[k] + b[k];
    }
    // Only reached with counts that wrap the sums: nothing in common then.
    if (total == 0) return 1.0;
    return static_cast<double>(differing) / static_cast<double>(total);
}

Histogram Vossek1Hash::parse(const std::string& given) const {
    Histogram histogram(BINS);
    if (given.empty()) return histogram;
    const std::string text = given.back() == ',' ? given + "0" : given;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < BINS; ++i) {
        if (text[pos] == ',') {
            ++pos;
            continue;
        }
        // As "%x" reads: leading blanks, a sign and "0x" allowed; 0 without digits.
        histogram[i] = static_cast<std::uint32_t>(std::strtoul(text.c_str() + pos, nullptr, 16));
        const std::size_t comma = text.find(',', pos);
        pos = comma == std::string::npos ? 0 : comma + 1;
    }
    return histogram;
}

std::string Vossek1Hash::format(const Histogram& histogram) const {
    static const char DIGITS[] = "0123456789abcdef";
    std::string text;
    for (std::size_t k = 0; k < BINS; ++k) {
        if (k != 0) text += ',';
        std::uint32_t count = k < histogram.size() ? histogram[k] : 0;
        char field[8];
        int length = 0;
        for (; count != 0; count >>= 4) field[length++] = DIGITS[count & 0xF];
        while (length > 0) text += field[--length];
    }
    return text;
}

}  // namespace com::quorvex::products::tamblix
