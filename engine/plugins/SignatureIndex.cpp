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

std::vector<std::size_t> SignatureIndex::_candidates(std::uint64_t total, double cutoff) const {
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
    std::vector<std::size_t> places = _unbounded;
    for (auto entry = first; entry != last; ++entry) places.push_back(entry->place);
    std::sort(places.begin(), places.end());
    return places;
}

bool SignatureIndex::mayMatch(std::uint64_t total, double cutoff) const {
    if (!_unbounded.empty()) return true;
    return !_candidates(total, cutoff).empty();
}

const SignatureDefinition* SignatureIndex::variant(const Histogram& histogram, std::uint64_t total,
                                                   double cutoff) const {
    const Vossek1Hash vossek;
    for (std::size_t place : _candidates(total, cutoff)) {
        const SignatureDefinition& definition = (*_definitions)[place];
        if (vossek.distance(histogram, definition.histogram) < cutoff) return &definition;
    }
    return nullptr;
}

}  // namespace com::quorvex::products::tamblix
