// The case table against the one Wine itself uses.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/util/CaseFolding.h"
#include "tests/support/WinePrefixTest.h"

namespace {

class WineCaseTable : public testing_support::WinePrefixTest {};

TEST_F(WineCaseTable, EveryCodeUnitFoldsAsWineComparesIt) {
    const std::string peer = TAMBLIX_WINE_CASE_TABLE;
    if (peer.empty()) GTEST_SKIP() << "no mingw-w64 to build the Wine peer";
    std::string output;
    ASSERT_EQ(testing_support::runWine(prefix, "'" + peer + "'", &output), 0);
    std::vector<char32_t> upper(0x10000), lower(0x10000);
    for (char32_t unit = 0; unit < 0x10000; ++unit) upper[unit] = lower[unit] = unit;
    std::istringstream lines(output);
    unsigned unit = 0, up = 0, down = 0;
    std::size_t mapped = 0;
    while (lines >> std::hex >> unit >> up >> down) {
        ASSERT_LT(unit, 0x10000u);
        upper[unit] = up;
        lower[unit] = down;
        ++mapped;
    }
    ASSERT_GT(mapped, 2000u) << output.substr(0, 200);
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        SCOPED_TRACE(testing::Message() << std::hex << "U+" << static_cast<unsigned>(unit));
        // Key and value names: Wine's server compares the lower-case forms.
        ASSERT_EQ(util::foldCase(unit), lower[unit]);
        // File names: its file lookups compare the upper-case forms, which pair the same letters.
        ASSERT_EQ(util::foldCase(upper[unit]), util::foldCase(unit));
        ASSERT_EQ(upper[lower[unit]], upper[unit]);
    }
}

}  // namespace
