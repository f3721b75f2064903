#pragma once
// The generated case table behind CaseFolding.h (CaseFoldingTable.cpp, written by
// scripts/make-case-table.py). Each run covers the letters first, first + stride,
// ... up to last, whose lower-case letters lie delta code points away; runs are
// sorted and do not overlap.

#include <cstddef>
#include <cstdint>

namespace util::detail {

struct CaseRun {
    std::uint16_t first;
    std::uint16_t last;
    std::int32_t delta;
    std::uint8_t stride;
};

extern const CaseRun CASE_RUNS[];
extern const std::size_t CASE_RUN_COUNT;
// The number of letters that fold to another one.
extern const std::size_t CASE_PAIR_COUNT;

}  // namespace util::detail
