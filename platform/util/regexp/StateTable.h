#pragma once
// A set of fixed-width keys (arrays of 64-bit words), stored inline with open
// addressing: no allocation per key, one probe sequence per lookup. The table
// never grows beyond maxBytes; once it would have to, full() is true and the
// owner must stop inserting.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace util::regexp {

class StateTable {
public:
    StateTable(std::size_t width, std::size_t maxBytes);

    // False when the key was there already.
    bool insert(const std::uint64_t* key);
    bool contains(const std::uint64_t* key) const;
    void erase(const std::uint64_t* key);

    std::size_t size() const { return _count; }
    bool full() const { return _full; }

private:
    // The first word of a cell tells its state; a key's own first word is kept
    // shifted by one so that it never collides with these.
    static constexpr std::uint64_t EMPTY = 0;
    static constexpr std::uint64_t ERASED = 1;

    std::size_t _find(const std::uint64_t* key, bool& found) const;
    std::uint64_t* _cell(std::size_t index) { return &_words[index * _width]; }
    const std::uint64_t* _cell(std::size_t index) const { return &_words[index * _width]; }
    bool _holds(std::size_t index, const std::uint64_t* key) const;
    void _grow();

    std::size_t _width;
    std::size_t _maxBytes;
    bool _full = false;
    std::size_t _capacity = 0;  // cells, a power of two
    std::size_t _count = 0;
    std::size_t _used = 0;      // cells holding a key or an erased mark
    std::vector<std::uint64_t> _words;
};

}  // namespace util::regexp
