#pragma once
// The in-memory registry: a tree of keys with Windows semantics. Key and value
// names are UTF-16 and compared without regard to case; subkeys are kept in
// Wine's order (see compareNames); values keep the order in which they were read
// from the file, a new value goes where Wine's order puts it. Every value keeps
// its stored type and raw bytes, so that nothing is lost when the tree is
// written back.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace windows::registry::tree {

struct StoredValue {
    std::u16string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const StoredValue& other) const = default;
};

// What the registry file says about a key besides its values.
struct KeyAttributes {
    std::uint64_t filetime = 0;               // last change, 100 ns since 1601
    std::optional<std::u16string> className;  // #class
    bool isLink = false;                      // #link: SymbolicLinkValue names the target
    bool listed = false;                      // the file has a line for the key itself
    std::vector<std::string> otherLines;      // lines of the key the registry does not interpret, kept
};

class RegistryNode {
public:
    RegistryNode() = default;
    explicit RegistryNode(std::u16string name) : _name(std::move(name)) {}
    RegistryNode(RegistryNode&&) = default;
    RegistryNode& operator=(RegistryNode&&) = default;

    const std::u16string& name() const { return _name; }

    const std::vector<std::unique_ptr<RegistryNode>>& subkeys() const { return _subkeys; }
    RegistryNode* findSubkey(std::u16string_view name) const;
    // The subkey of that name, created when it does not exist (created tells which).
    RegistryNode& addSubkey(std::u16string_view name, bool* created = nullptr);
    bool removeSubkey(std::u16string_view name);

    const std::vector<StoredValue>& values() const { return _values; }
    const StoredValue* findValue(std::u16string_view name) const;
    // Replaces the value of the same name in place or adds it where Wine's order
    // puts it; false when an identical value is already there.
    bool setValue(StoredValue value);
    // Replaces the value of the same name in place or appends it (file order).
    void appendValue(StoredValue value);
    bool removeValue(std::u16string_view name);

    KeyAttributes& attributes() { return _attributes; }
    const KeyAttributes& attributes() const { return _attributes; }
    // Records a change at the given time (100 ns since 1601).
    void touch(std::uint64_t filetime);

private:
    std::vector<std::unique_ptr<RegistryNode>>::const_iterator _position(std::u16string_view name) const;
    std::vector<StoredValue>::iterator _value(std::u16string_view name);

    std::u16string _name;
    std::vector<std::unique_ptr<RegistryNode>> _subkeys;
    std::vector<StoredValue> _values;
    KeyAttributes _attributes;
};

// 100 ns intervals between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t FILETIME_OF_1970 = 116444736000000000ull;
constexpr std::uint64_t FILETIME_PER_SECOND = 10000000ull;

// The node at the given path below root, nullptr when one of its keys is missing.
RegistryNode* findPath(RegistryNode& root, const std::vector<std::u16string>& path);

}  // namespace windows::registry::tree
