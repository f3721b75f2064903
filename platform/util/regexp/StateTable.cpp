#include "platform/util/regexp/StateTable.h"

namespace util::regexp {

namespace {

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

std::uint64_t hashOf(const std::uint64_t* key, std::size_t width) {
    std::uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (std::size_t i = 0; i < width; ++i) h = mix(h ^ key[i]) + i;
    return h;
}

}  // namespace

StateTable::StateTable(std::size_t width, std::size_t maxBytes) : _width(width), _maxBytes(maxBytes) {}

bool StateTable::_holds(std::size_t index, const std::uint64_t* key) const {
    const std::uint64_t* cell = _cell(index);
    if (cell[0] != key[0] + 2) return false;
    for (std::size_t i = 1; i < _width; ++i)
        if (cell[i] != key[i]) return false;
    return true;
}

// The cell holding key (found), or else the first free cell of its probe sequence.
std::size_t StateTable::_find(const std::uint64_t* key, bool& found) const {
    const std::size_t mask = _capacity - 1;
    std::size_t index = static_cast<std::size_t>(hashOf(key, _width)) & mask;
    std::size_t firstFree = _capacity;
    for (;; index = (index + 1) & mask) {
        const std::uint64_t state = _cell(index)[0];
        if (state == EMPTY) {
            found = false;
            return firstFree < _capacity ? firstFree : index;
        }
        if (state == ERASED) {
            if (firstFree == _capacity) firstFree = index;
        } else if (_holds(index, key)) {
            found = true;
            return index;
        }
    }
}

bool StateTable::contains(const std::uint64_t* key) const {
    if (_count == 0) return false;
    bool found = false;
    _find(key, found);
    return found;
}

bool StateTable::insert(const std::uint64_t* key) {
    if (2 * (_used + 1) > _capacity) _grow();
    // A table that could not grow keeps one empty cell so that every probe
    // sequence ends; a key it cannot take counts as new, which only costs work.
    if (_used + 1 >= _capacity) return true;
    bool found = false;
    const std::size_t index = _find(key, found);
    if (found) return false;
    std::uint64_t* cell = _cell(index);
    if (cell[0] == EMPTY) ++_used;
    cell[0] = key[0] + 2;
    for (std::size_t i = 1; i < _width; ++i) cell[i] = key[i];
    ++_count;
    return true;
}

void StateTable::erase(const std::uint64_t* key) {
    if (_count == 0) return;
    bool found = false;
    const std::size_t index = _find(key, found);
    if (!found) return;
    _cell(index)[0] = ERASED;
    --_count;
}

void StateTable::_grow() {
    const std::size_t oldCapacity = _capacity;
    // Room for twice the keys; erased marks are dropped on the way.
    const std::size_t capacity = oldCapacity == 0 ? 64 : (4 * _count > oldCapacity ? 2 * oldCapacity : oldCapacity);
    if (capacity * _width * sizeof(std::uint64_t) > _maxBytes && capacity > oldCapacity && oldCapacity != 0) {
        _full = true;
        return;
    }
    std::vector<std::uint64_t> old;
    old.swap(_words);
    _capacity = capacity;
    _words.assign(_capacity * _width, EMPTY);
    _count = 0;
    _used = 0;
    std::vector<std::uint64_t> key(_width);
    for (std::size_t index = 0; index < oldCapacity; ++index) {
        const std::uint64_t* cell = &old[index * _width];
        if (cell[0] == EMPTY || cell[0] == ERASED) continue;
        key.assign(cell, cell + _width);
        key[0] -= 2;
        insert(key.data());
    }
}

}  // namespace util::regexp
