#pragma once
// Runs a Program over one text, looking for the leftmost match.
//
// How the work stays bounded:
// - Backtracking uses an explicit stack of choice points, never the C++ stack;
//   only a negated element recurses, as deep as negations are nested in the
//   pattern (which the parser bounds).
// - Each state (a split at a text position, plus the values of the match groups
//   that back references read) is entered at most once per search, see
//   StateMemo. That keeps nested quantifiers such as (a*)*b or (a|a)*c linear
//   in the text, and a loop whose iteration consumed nothing meets its own
//   state again and stops there. Answers of negated elements are remembered the
//   same way.
// - A search may take at most MIN_STEPS + STEPS_PER_STATE x instructions x
//   (text size + 1) steps, MAX_STACK_ENTRIES open choices, and as many
//   remembered states as StateMemo has room for. Running out throws
//   ATLRegularExpressionException (WORK_LIMIT_TEXT + pattern), because the
//   answer is then unknown: it is never turned into "no match".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/util/regexp/Program.h"
#include "platform/util/regexp/StateMemo.h"

namespace util::regexp {

class Matcher {
public:
    static constexpr const char* WORK_LIMIT_TEXT =
        "The regular expression needed too much work to match the text; the result is unknown.\n";
    static constexpr std::uint64_t MIN_STEPS = 20'000'000;
    static constexpr std::uint64_t STEPS_PER_STATE = 32;
    static constexpr std::size_t MAX_STACK_ENTRIES = 8'000'000;

    // The pattern text is only used in the message of a failure.
    Matcher(const Program& program, const std::string& text, const std::string& pattern);

    bool find();
    // After a successful find: the text of each match group, empty for a group
    // that took no part in the match.
    std::vector<std::string> groupTexts() const;

private:
    struct Entry {
        bool branch;       // a choice to come back to, else a slot value to restore
        int index;         // instruction or slot
        std::size_t pos;   // text position, or the slot's earlier value
    };

    bool _run(int pc, std::size_t pos);
    bool _negatedElementMatches(const Instruction& instruction, std::size_t pos);
    bool _backReferenceMatches(int group, std::size_t& pos);
    bool _enter(int split, std::size_t pos);
    bool _backtrack(std::size_t base, int& pc, std::size_t& pos);
    void _unwind(std::size_t base);
    void _push(bool branch, int index, std::size_t pos);
    void _spend(std::uint64_t steps);
    [[noreturn]] void _outOfWork() const;

    static constexpr std::size_t UNSET = static_cast<std::size_t>(-1);

    const Program& _program;
    const unsigned char* _text;
    std::size_t _size;
    const std::string& _pattern;

    std::vector<std::size_t> _slots;  // match group starts and ends
    std::vector<Entry> _stack;
    StateMemo _memo;
    int _negationDepth = 0;

    std::uint64_t _steps = 0;
    std::uint64_t _budget;
};

}  // namespace util::regexp
