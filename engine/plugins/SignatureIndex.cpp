#include "engine/plugins/SignatureIndex.h"

#include <algorithm>
#include <limits>

namespace com::quorvex::products::tamblix {

namespace {

// No file or member checked is larger (the size rule of the signature plugin).
constexpr std::uint64_t LARGEST_CONTENT = 20000000;

std::uint64_t exactTotal(const Histogram& histogram) {
    std::uint64_t total = 0;
    for (std::uint32_t count : histogram) total += count;
    return total;
}

// The least distance a histogram of total m can have to one of total n, as the
// distance itself computes it.
double leastDistance(std::uint64_t n, std::uint64_t m) {
    const std::uint64_t apart = n > m ? n - m : m - n;
    return static_cast<double>(static_cast<std::uint32_t>(apart)) / static_cast<double>(static_cast<std::uint32_t>(n + m));
}

// Whether distance(content, definition) < cutoff, for a definition whose totals
// cannot wrap the sums: T is then n + m from the start, and the partial S only
// grows, so the comparison is settled as soon as the part summed so far reaches
// the cutoff.
bool closerThan(const Histogram& content, std::uint64_t n, const Histogram& definition, std::uint64_t m, double cutoff) {
    const double total = static_cast<double>(static_cast<std::uint32_t>(n + m));
    std::uint32_t differing = 0;
    const std::size_t bins = std::min(content.size(), definition.size());
    for (std::size_t k = 0; k < bins; ++k) {
        differing += content[k] > definition[k] ? content[k] - definition[k] : definition[k] - content[k];
        if ((k & 31) == 31 && !(static_cast<double>(differing) / total < cutoff)) return false;
    }
    return static_cast<double>(differing) / total < cutoff;
}

}  // namespace

void SignatureIndex::clear() {
    _definitions = nullptr;
    _md5.clear();
    _byTotal.clear();
    _unbounded.clear();
}

void SignatureIndex::rebuild(const std::vector<SignatureDefinition>& definitions) {
    clear();
    _definitions = &definitions;
    for (std::size_t place = 0; place < definitions.size(); ++place) {
        const SignatureDefinition& definition = definitions[place];
        _md5[definition.md5] = place;
        if (definition.histogramTotal == 0) continue;
        const std::uint64_t total = exactTotal(definition.histogram);
        if (total + LARGEST_CONTENT > std::numeric_limits<std::uint32_t>::max())
            _unbounded.push_back(place);
        else
            _byTotal.push_back({total, place});
    }
    std::stable_sort(_byTotal.begin(), _byTotal.end(),
                     [](const ByTotal& a, const ByTotal& b) { return a.total < b.total; });
}

const SignatureDefinition* SignatureIndex::byMd5(const std::string& md5) const {
    const auto found = _md5.find(md5);
    return found == _md5.end() ? nullptr : &(*_definitions)[found->second];
}

std::vector<SignatureIndex::Candidate> SignatureIndex::_candidates(std::uint64_t total, double cutoff) const {
    // The bound falls as m nears n from below and rises as it leaves n above it,
    // so the totals below the cutoff form one run of the sorted list.
    const auto middle = std::partition_point(_byTotal.begin(), _byTotal.end(),
                                             [&](const ByTotal& entry) { return entry.total < total; });
    const auto first = std::partition_point(_byTotal.begin(), middle, [&](const ByTotal& entry) {
        return !(leastDistance(total, entry.total) < cutoff);
    });
    const auto last = std::partition_point(middle, _byTotal.end(), [&](const ByTotal& entry) {
        return leastDistance(total, entry.total) < cutoff;
    });
    std::vector<Candidate> places;
    for (std::size_t place : _unbounded) places.push_back({place, 0, false});
    for (auto entry = first; entry != last; ++entry) places.push_back({entry->place, entry->total, true});
    std::sort(places.begin(), places.end(), [](const Candidate& a, const Candidate& b) { return a.place < b.place; });
    return places;
}

bool SignatureIndex::mayMatch(std::uint64_t total, double cutoff) const {
    if (!_unbounded.empty()) return true;
    return !_candidates(total, cutoff).empty();
}

const SignatureDefinition* SignatureIndex::variant(const Histogram& histogram, std::uint64_t total,
                                                   double cutoff) const {
    return _closest(_candidates(total, cutoff), histogram, total, cutoff);
}

const SignatureDefinition* SignatureIndex::variantOf(const char* bytes, std::size_t size, double cutoff) const {
    const std::vector<Candidate> candidates = _candidates(size, cutoff);
    if (candidates.empty()) return nullptr;
    return _closest(candidates, Vossek1Hash().compute(bytes, size), size, cutoff);
}

const SignatureDefinition* SignatureIndex::_closest(const std::vector<Candidate>& candidates,
                                                    const Histogram& histogram, std::uint64_t total,
                                                    double cutoff) const {
    const Vossek1Hash vossek;
    for (const Candidate& candidate : candidates) {
        const SignatureDefinition& definition = (*_definitions)[candidate.place];
        const bool close = candidate.bounded ? closerThan(histogram, total, definition.histogram, candidate.total, cutoff)
                                             : vossek.distance(histogram, definition.histogram) < cutoff;
        if (close) return &definition;
    }
    return nullptr;
}

}  // namespace com::quorvex::products::tamblix
