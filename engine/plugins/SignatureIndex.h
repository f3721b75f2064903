#pragma once
// Finds the definition a file's content answers to, by MD5 first, then by
// histogram, as the check of one file asks:
//
// - byMd5: the definition of that MD5; of two with the same one, the later;
// - variant: the first definition in list order whose histogram lies strictly
//   closer than the cutoff.
//
// The distance of two histograms with totals n and m is at least |n - m| / (n +
// m), so only the definitions whose totals lie in one interval around the
// content's can be closer than the cutoff; they are found by their totals
// instead of comparing the content with every histogram. The index refers to
// the list it was built over, which must not change until it is built again.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/plugins/SignatureDefinition.h"

namespace com::quorvex::products::tamblix {

class SignatureIndex {
public:
    void rebuild(const std::vector<SignatureDefinition>& definitions);
    void clear();

    const SignatureDefinition* byMd5(const std::string& md5) const;
    // Whether some definition could match a content of that total at all; when
    // not, its histogram need not be computed.
    bool mayMatch(std::uint64_t total, double cutoff) const;
    const SignatureDefinition* variant(const Histogram& histogram, std::uint64_t total, double cutoff) const;
    // The same for a content: its histogram is computed only when some
    // definition could match it.
    const SignatureDefinition* variantOf(const char* bytes, std::size_t size, double cutoff) const;

private:
    struct ByTotal {
        std::uint64_t total;
        std::size_t place;  // in the list
    };
    struct Candidate {
        std::size_t place;
        std::uint64_t total;
        bool bounded;  // its sums cannot wrap
    };
    // The candidates for a content of that total, in list order.
    std::vector<Candidate> _candidates(std::uint64_t total, double cutoff) const;
    const SignatureDefinition* _closest(const std::vector<Candidate>& candidates, const Histogram& histogram,
                                        std::uint64_t total, double cutoff) const;

    const std::vector<SignatureDefinition>* _definitions = nullptr;
    std::unordered_map<std::string, std::size_t> _md5;
    // Definitions with a histogram, by the exact sum of their counts.
    std::vector<ByTotal> _byTotal;
    // Those whose counts are so large that a distance's 32-bit sums may wrap:
    // their distance has no bound, so they are always compared.
    std::vector<std::size_t> _unbounded;
};

}  // namespace com::quorvex::products::tamblix
