#pragma once
// What the matcher has learnt about the states of one search. A state is a
// split instruction entered at a text position with given values of the match
// groups that back references read; nothing else influences whether the
// pattern can still match from there. A state entered a second time can
// therefore be abandoned: either its first visit failed, or it is still being
// tried further up (a loop that went round without consuming anything).
//
// Without back references a state is (split, position) and lives in a bitmap
// of at most MAX_BITMAP_BYTES; otherwise, or for texts too long for that
// bitmap, states are kept by key in tables of at most MAX_TABLE_BYTES each
// (full() tells when one would need more).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/util/regexp/Program.h"
#include "platform/util/regexp/StateTable.h"

namespace util::regexp {

class StateMemo {
public:
    static constexpr std::size_t MAX_BITMAP_BYTES = 32u << 20;
    static constexpr std::size_t MAX_TABLE_BYTES = 32u << 20;

    enum class Answer : std::int8_t { UNKNOWN, MATCHES, DOES_NOT_MATCH };

    StateMemo(const Program& program, std::size_t textSize);

    // False when the state was entered before. States entered while recording
    // can be forgotten with forgetSince.
    bool enter(int split, std::size_t pos, const std::vector<std::size_t>& slots, bool recording);

    // Whether a negated element matches at pos, as far as known.
    Answer answer(int negation, std::size_t pos, const std::vector<std::size_t>& slots);
    void remember(int negation, std::size_t pos, const std::vector<std::size_t>& slots, bool matches);

    // Marks for forgetSince; keepRecorded makes everything recorded so far permanent.
    std::size_t recorded() const { return _trail.size(); }
    void forgetSince(std::size_t recorded);
    void keepRecorded() { _trail.clear(); }

    bool full() const;

private:
    const std::uint64_t* _key(int index, std::size_t pos, const std::vector<std::size_t>& slots);

    const std::vector<int>& _referenced;
    std::size_t _positions;
    bool _keyed;

    std::vector<std::uint64_t> _bits;  // split x position
    std::vector<Answer> _answers;      // negation x position

    std::size_t _width;                // words of a key
    std::vector<std::uint64_t> _scratch;
    StateTable _entered;
    StateTable _matching;
    StateTable _notMatching;

    // Bit numbers, or keys of _width words, of the states entered while recording.
    std::vector<std::uint64_t> _trail;
};

}  // namespace util::regexp
