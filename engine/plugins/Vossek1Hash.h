#pragma once
// The second hash method ("vossek1"): a histogram of 256 bins over a file's
// bytes with which near variants of a known file are recognised, its distance,
// and its text form in the definitions.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace com::quorvex::products::tamblix {

using Histogram = std::vector<std::uint32_t>;

class Vossek1Hash {
public:
    static constexpr std::size_t BINS = 256;

    // For every position i, one count in bin (b(i) + b(i+1) + b(i+2)) mod 256,
    // where bytes past the end count as 0; the counts sum to length.
    Histogram compute(const char* bytes, std::size_t length) const;
    // The counts summed as an unsigned 32-bit number.
    int sum(const Histogram& histogram) const;
    // The sum of the bins' differences over the sum of all counts: 0 for equal
    // histograms, 1 when no bin is shared.
    double distance(const Histogram& a, const Histogram& b) const;
    // 256 comma-separated fields of lowercase hexadecimal counts, empty for 0. A
    // malformed text never fails: unreadable fields count as 0, and a text with
    // fewer fields is read again from its start for the remaining bins.
    Histogram parse(const std::string& text) const;
    std::string format(const Histogram& histogram) const;
};

}  // namespace com::quorvex::products::tamblix
