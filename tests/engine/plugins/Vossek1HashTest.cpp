// The histogram of the second hash method: computing, reading, writing and comparing it.

#include <gtest/gtest.h>

#include <map>

#include "engine/plugins/Vossek1Hash.h"

namespace {

using com::quorvex::products::tamblix::Histogram;
using com::quorvex::products::tamblix::Vossek1Hash;

// A histogram given by its non-zero bins.
Histogram bins(const std::map<int, std::uint32_t>& counts) {
    Histogram histogram(256);
    for (const auto& [bin, count] : counts) histogram[bin] = count;
    return histogram;
}

// 256 fields, each as given by field(i).
template <class Field>
std::string fields(Field field) {
    std::string text;
    for (int i = 0; i < 256; ++i) text += (i ? "," : "") + field(i);
    return text;
}

TEST(Vossek1HashTest, ComputeAddsEachByteToTheTwoAfterIt) {
    struct Case {
        const char* what;
        std::string bytes;
        Histogram expected;
    };
    std::string longer;
    for (int i = 0; i < 11; ++i) longer += char(i * 37);
    Histogram longerExpected(256);
    for (std::size_t i = 0; i < longer.size(); ++i) {
        auto at = [&](std::size_t k) { return k < longer.size() ? (unsigned char)longer[k] : 0u; };
        ++longerExpected[(at(i) + at(i + 1) + at(i + 2)) % 256];
    }
    const Case cases[] = {
        {"nothing", "", Histogram(256)},
        {"01 02 03", "\x01\x02\x03", bins({{6, 1}, {5, 1}, {3, 1}})},
        {"one byte", "\x07", bins({{7, 1}})},
        {"sums wrap at 256", "\xff\xff\x02", bins({{0, 1}, {1, 1}, {2, 1}})},
        {"eleven bytes, past the unrolled loop", longer, longerExpected},
        {"zeros", std::string(10, '\0'), bins({{0, 10}})},
    };
    const Vossek1Hash vossek;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Histogram histogram = vossek.compute(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(histogram, c.expected);
        EXPECT_EQ(vossek.sum(histogram), static_cast<int>(c.bytes.size()));
    }
}

TEST(Vossek1HashTest, ParseReadsFieldsAndStartsOverWhenTheyRunOut) {
    Histogram evenOnes(256);
    for (int i = 0; i < 256; i += 2) evenOnes[i] = 1;
    Histogram cycle(256);
    for (int i = 0; i < 256; ++i) cycle[i] = i % 3 + 1;
    struct Case {
        const char* what;
        std::string text;
        Histogram expected;
    };
    const Case cases[] = {
        {"empty", "", Histogram(256)},
        {"\"1,\": the appended 0, then again from the start", "1,", evenOnes},
        {"three fields read again and again", "1,2,3", cycle},
        {"a single field fills every bin", "a", Histogram(256, 10)},
        {"a leading 0x", fields([](int i) { return i == 4 ? std::string("0x1f") : std::string(); }), bins({{4, 31}})},
        {"upper case and blanks", fields([](int i) { return i == 1 ? std::string("  FF") : std::string(); }),
         bins({{1, 255}})},
        {"no digits count 0", fields([](int i) { return i < 2 ? std::string("zz") : std::string("1"); }),
         [] {
             Histogram h(256, 1);
             h[0] = h[1] = 0;
             return h;
         }()},
        {"trailing text after the digits", fields([](int i) { return i == 0 ? std::string("12g") : std::string(); }),
         bins({{0, 18}})},
        {"a trailing comma after 256 fields", fields([](int) { return std::string("2"); }) + ",",
         Histogram(256, 2)},
        {"only commas", std::string(255, ','), Histogram(256)},
    };
    const Vossek1Hash vossek;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(vossek.parse(c.text), c.expected);
    }
}

TEST(Vossek1HashTest, FormatWritesWhatParseReads) {
    const Vossek1Hash vossek;
    const std::string data = "the quick brown fox jumps over the lazy dog, again and again and again";
    const Histogram histograms[] = {Histogram(256), bins({{0, 1}, {255, 0xffffffff}}),
                                    vossek.compute(data.data(), data.size())};
    for (const Histogram& histogram : histograms) {
        const std::string text = vossek.format(histogram);
        EXPECT_EQ(std::count(text.begin(), text.end(), ','), 255);
        EXPECT_EQ(vossek.parse(text), histogram) << text;
    }
    EXPECT_EQ(vossek.format(bins({{0, 0x1f}, {2, 3}})), "1f,,3" + std::string(253, ','));
}

TEST(Vossek1HashTest, DistanceIsTheShareOfCountsNotInCommon) {
    struct Case {
        const char* what;
        Histogram a, b;
        double expected;
    };
    const Case cases[] = {
        {"identical", bins({{1, 5}, {9, 3}}), bins({{1, 5}, {9, 3}}), 0.0},
        {"no bin shared", bins({{1, 5}}), bins({{2, 5}}), 1.0},
        {"a quarter apart", bins({{0, 3}, {1, 1}}), bins({{0, 3}, {2, 1}}), 0.25},
        {"totals apart", bins({{0, 10}}), bins({{0, 30}}), 0.5},
    };
    const Vossek1Hash vossek;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(vossek.distance(c.a, c.b), c.expected);
        EXPECT_DOUBLE_EQ(vossek.distance(c.b, c.a), c.expected);
    }
}

}  // namespace
