#include "platform/util/regexp/StateMemo.h"

namespace util::regexp {

namespace {

std::uint64_t bitmapBytes(const Program& program, std::uint64_t positions) {
    const std::uint64_t limit = UINT64_MAX / 2;
    const std::uint64_t splits = static_cast<std::uint64_t>(program.splitCount);
    const std::uint64_t negations = static_cast<std::uint64_t>(program.negationCount);
    if (splits + negations != 0 && positions > limit / (splits + negations)) return limit;
    return splits * positions / 8 + negations * positions;
}

}  // namespace

StateMemo::StateMemo(const Program& program, std::size_t textSize)
    : _referenced(program.referencedGroups),
      _positions(textSize + 1),
      _keyed(!_referenced.empty() || bitmapBytes(program, _positions) > MAX_BITMAP_BYTES),
      _width(2 + 2 * _referenced.size()),
      _scratch(_width),
      _entered(_width, MAX_TABLE_BYTES),
      _matching(_width, MAX_TABLE_BYTES),
      _notMatching(_width, MAX_TABLE_BYTES) {
    if (!_keyed) {
        _bits.assign((static_cast<std::size_t>(program.splitCount) * _positions + 63) / 64, 0);
        _answers.assign(static_cast<std::size_t>(program.negationCount) * _positions, Answer::UNKNOWN);
    }
}

const std::uint64_t* StateMemo::_key(int index, std::size_t pos, const std::vector<std::size_t>& slots) {
    std::size_t word = 0;
    _scratch[word++] = static_cast<std::uint64_t>(index);
    _scratch[word++] = pos;
    for (const int group : _referenced) {
        _scratch[word++] = slots[2 * static_cast<std::size_t>(group)];
        _scratch[word++] = slots[2 * static_cast<std::size_t>(group) + 1];
    }
    return _scratch.data();
}

bool StateMemo::enter(int split, std::size_t pos, const std::vector<std::size_t>& slots, bool recording) {
    if (_keyed) {
        const std::uint64_t* key = _key(split, pos, slots);
        if (!_entered.insert(key)) return false;
        if (recording) _trail.insert(_trail.end(), key, key + _width);
        return true;
    }
    const std::size_t bit = static_cast<std::size_t>(split) * _positions + pos;
    std::uint64_t& word = _bits[bit / 64];
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if (word & mask) return false;
    word |= mask;
    if (recording) _trail.push_back(bit);
    return true;
}

StateMemo::Answer StateMemo::answer(int negation, std::size_t pos, const std::vector<std::size_t>& slots) {
    if (!_keyed) return _answers[static_cast<std::size_t>(negation) * _positions + pos];
    const std::uint64_t* key = _key(negation, pos, slots);
    if (_matching.contains(key)) return Answer::MATCHES;
    if (_notMatching.contains(key)) return Answer::DOES_NOT_MATCH;
    return Answer::UNKNOWN;
}

void StateMemo::remember(int negation, std::size_t pos, const std::vector<std::size_t>& slots, bool matches) {
    if (!_keyed) {
        _answers[static_cast<std::size_t>(negation) * _positions + pos] =
            matches ? Answer::MATCHES : Answer::DOES_NOT_MATCH;
        return;
    }
    (matches ? _matching : _notMatching).insert(_key(negation, pos, slots));
}

void StateMemo::forgetSince(std::size_t recorded) {
    if (_keyed) {
        for (std::size_t i = recorded; i < _trail.size(); i += _width) _entered.erase(&_trail[i]);
    } else {
        for (std::size_t i = recorded; i < _trail.size(); ++i)
            _bits[_trail[i] / 64] &= ~(std::uint64_t{1} << (_trail[i] % 64));
    }
    _trail.resize(recorded);
}

bool StateMemo::full() const {
    return _entered.full() || _matching.full() || _notMatching.full();
}

}  // namespace util::regexp
