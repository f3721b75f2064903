#include "platform/util/regexp/Matcher.h"

#include <cstring>

#include "platform/util/UtilExceptions.h"

namespace util::regexp {

namespace {

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a) return UINT64_MAX;
    return a * b;
}

}  // namespace

Matcher::Matcher(const Program& program, const std::string& text, const std::string& pattern)
    : _program(program),
      _text(reinterpret_cast<const unsigned char*>(text.data())),
      _size(text.size()),
      _pattern(pattern),
      _slots(2 * static_cast<std::size_t>(program.groupCount), UNSET),
      _memo(program, text.size()) {
    const std::uint64_t states = saturatingProduct(program.code.size(), static_cast<std::uint64_t>(_size) + 1);
    const std::uint64_t budget = saturatingProduct(states, STEPS_PER_STATE);
    _budget = budget > UINT64_MAX - MIN_STEPS ? UINT64_MAX : budget + MIN_STEPS;
}

bool Matcher::find() {
    if (_program.anchored) return _run(0, 0);
    for (std::size_t start = 0; start <= _size; ++start) {
        if (_program.firstByte >= 0) {
            if (start >= _size) return false;
            const void* next = std::memchr(_text + start, _program.firstByte, _size - start);
            if (!next) return false;
            start = static_cast<std::size_t>(static_cast<const unsigned char*>(next) - _text);
        }
        // The memo stays: states that failed from an earlier start fail from this one too.
        if (_run(0, start)) return true;
    }
    return false;
}

std::vector<std::string> Matcher::groupTexts() const {
    std::vector<std::string> texts;
    for (std::size_t group = 0; 2 * group < _slots.size(); ++group) {
        const std::size_t start = _slots[2 * group];
        const std::size_t end = _slots[2 * group + 1];
        if (start == UNSET || end == UNSET || end < start)
            texts.emplace_back();
        else
            texts.emplace_back(reinterpret_cast<const char*>(_text) + start, end - start);
    }
    return texts;
}

// Steps from pc at pos until the program (or the negated element pc lies in)
// reaches MATCH, or every choice made since entering has failed.
bool Matcher::_run(int pc, std::size_t pos) {
    const std::size_t base = _stack.size();
    for (;;) {
        _spend(1);
        const Instruction& in = _program.code[static_cast<std::size_t>(pc)];
        bool ok = true;
        switch (in.op) {
            case Op::CHAR:
                ok = pos < _size && _text[pos] == in.x;
                if (ok) ++pos, ++pc;
                break;
            case Op::ANY:
                ok = pos < _size;
                if (ok) ++pos, ++pc;
                break;
            case Op::CLASS:
                ok = pos < _size && _program.classes[static_cast<std::size_t>(in.x)][_text[pos]];
                if (ok) ++pos, ++pc;
                break;
            case Op::START:
                ok = pos == 0;
                ++pc;
                break;
            case Op::END:
                ok = pos == _size;
                ++pc;
                break;
            case Op::BACK_REF:
                ok = _backReferenceMatches(in.x, pos);
                ++pc;
                break;
            case Op::JMP: pc = in.x; break;
            case Op::SPLIT:
                ok = _enter(in.z, pos);
                if (ok) {
                    _push(true, in.y, pos);
                    pc = in.x;
                }
                break;
            case Op::SAVE:
                _push(false, in.x, _slots[static_cast<std::size_t>(in.x)]);
                _slots[static_cast<std::size_t>(in.x)] = pos;
                ++pc;
                break;
            case Op::NOT:
                ok = !_negatedElementMatches(in, pos);
                pc = in.y;
                break;
            case Op::MATCH: return true;
        }
        if (!ok && !_backtrack(base, pc, pos)) return false;
    }
}

bool Matcher::_negatedElementMatches(const Instruction& in, std::size_t pos) {
    const StateMemo::Answer known = _memo.answer(in.z, pos, _slots);
    if (known != StateMemo::Answer::UNKNOWN) return known == StateMemo::Answer::MATCHES;
    const std::size_t base = _stack.size();
    const std::size_t recorded = _memo.recorded();
    ++_negationDepth;
    const bool matches = _run(in.x, pos);
    --_negationDepth;
    // Nothing the element did survives it: not its groups, not its choices.
    _unwind(base);
    // A search that succeeded stopped part way, so the states it entered are
    // not known to fail; a search that failed proved it for all of them.
    if (matches)
        _memo.forgetSince(recorded);
    else if (_negationDepth == 0)
        _memo.keepRecorded();
    _memo.remember(in.z, pos, _slots, matches);
    if (_memo.full()) _outOfWork();
    return matches;
}

bool Matcher::_backReferenceMatches(int group, std::size_t& pos) {
    const std::size_t start = _slots[2 * static_cast<std::size_t>(group)];
    const std::size_t end = _slots[2 * static_cast<std::size_t>(group) + 1];
    if (start == UNSET || end == UNSET || end < start) return false;
    const std::size_t length = end - start;
    _spend(length);
    if (length > _size - pos || std::memcmp(_text + start, _text + pos, length) != 0) return false;
    pos += length;
    return true;
}

bool Matcher::_enter(int split, std::size_t pos) {
    const bool first = _memo.enter(split, pos, _slots, _negationDepth > 0);
    if (_memo.full()) _outOfWork();
    return first;
}

bool Matcher::_backtrack(std::size_t base, int& pc, std::size_t& pos) {
    while (_stack.size() > base) {
        const Entry entry = _stack.back();
        _stack.pop_back();
        if (entry.branch) {
            pc = entry.index;
            pos = entry.pos;
            return true;
        }
        _slots[static_cast<std::size_t>(entry.index)] = entry.pos;
    }
    return false;
}

void Matcher::_unwind(std::size_t base) {
    int pc = 0;
    std::size_t pos = 0;
    while (_backtrack(base, pc, pos)) {
    }
}

void Matcher::_push(bool branch, int index, std::size_t pos) {
    if (_stack.size() >= MAX_STACK_ENTRIES) _outOfWork();
    _stack.push_back(Entry{branch, index, pos});
}

void Matcher::_spend(std::uint64_t steps) {
    _steps += steps;
    if (_steps > _budget) _outOfWork();
}

void Matcher::_outOfWork() const { throw ATLRegularExpressionException(WORK_LIMIT_TEXT + _pattern); }

}  // namespace util::regexp
