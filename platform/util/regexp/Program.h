#pragma once
// A pattern compiled for the backtracking matcher: a list of instructions that
// the matcher steps through, trying the first target of a SPLIT before the
// second and coming back to the second when the first fails.

#include <array>
#include <cstdint>
#include <vector>

namespace util::regexp {

enum class Op : std::uint8_t {
    CHAR,         // x: the byte that must come next
    ANY,          // any one byte
    CLASS,        // x: index of the byte set one byte must belong to
    START,        // at the start of the text
    END,          // at the end of the text
    BACK_REF,     // x: the match group whose text must come next
    JMP,          // x: next instruction
    SPLIT,        // x: tried first, y: tried when x fails, z: index among the splits
    SAVE,         // x: slot 2n (start) or 2n+1 (end) of match group n takes the position
    NOT,          // x: first instruction of the negated element, y: instruction after it,
                  // z: index among the negations; fails when the element matches here
    MATCH,        // the pattern (or a negated element) has matched
};

struct Instruction {
    Op op;
    int x = 0;
    int y = 0;
    int z = 0;
};

using ByteSet = std::array<bool, 256>;

struct Program {
    std::vector<Instruction> code;
    std::vector<ByteSet> classes;
    int groupCount = 0;
    int splitCount = 0;
    int negationCount = 0;
    // The match groups some back reference reads, in increasing order.
    std::vector<int> referencedGroups;
    // The pattern began with ^: only a match at the start of the text counts.
    bool anchored = false;
    // The byte every match starts with, or -1 when it is not fixed.
    int firstByte = -1;
};

}  // namespace util::regexp
