// The index finds exactly the definition a walk over the whole list in order
// finds: the first whose histogram is strictly closer than the cutoff.

#include <gtest/gtest.h>

#include <random>

#include "engine/plugins/SignatureIndex.h"

namespace {

using namespace com::quorvex::products::tamblix;

const SignatureDefinition* firstInListOrder(const std::vector<SignatureDefinition>& definitions,
                                            const Histogram& content, double cutoff) {
    const Vossek1Hash vossek;
    for (const SignatureDefinition& definition : definitions)
        if (definition.histogramTotal != 0 && vossek.distance(content, definition.histogram) < cutoff)
            return &definition;
    return nullptr;
}

// Histograms near one another, of totals near one another, some with counts
// large enough to wrap the sums, some empty.
Histogram randomHistogram(std::mt19937& random) {
    Histogram histogram(256);
    const int kind = random() % 8;
    if (kind == 0) return histogram;
    for (auto& bin : histogram) bin = random() % 4;
    if (kind == 1) histogram[random() % 256] = 0xF0000000u + random() % 0x10000000u;
    if (kind == 2) histogram[random() % 256] += random() % 200;
    return histogram;
}

TEST(SignatureIndexTest, VariantsAreThoseOfAWalkOverTheWholeList) {
    std::mt19937 random(7);
    const Vossek1Hash vossek;
    for (int round = 0; round < 40; ++round) {
        std::vector<SignatureDefinition> definitions(200);
        for (auto& definition : definitions) {
            definition.histogram = randomHistogram(random);
            definition.histogramTotal = vossek.sum(definition.histogram);
        }
        SignatureIndex index;
        index.rebuild(definitions);
        for (int check = 0; check < 50; ++check) {
            std::string content(1 + random() % 1200, '\0');
            for (char& byte : content) byte = static_cast<char>(random() % 3);
            const Histogram histogram = vossek.compute(content.data(), content.size());
            const double cutoff = (random() % 100) / 100.0 + (check % 7 == 0 ? 1.0 : 0.0);
            const SignatureDefinition* expected = firstInListOrder(definitions, histogram, cutoff);
            SCOPED_TRACE(testing::Message() << "round " << round << ", check " << check << ", cutoff " << cutoff);
            const SignatureDefinition* found =
                index.mayMatch(content.size(), cutoff) ? index.variant(histogram, content.size(), cutoff) : nullptr;
            EXPECT_EQ(found, expected);
            EXPECT_EQ(index.variantOf(content.data(), content.size(), cutoff), expected);
        }
    }
}

}  // namespace
