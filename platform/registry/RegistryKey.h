#pragma once
// An open registry key. It is open from construction to destruction; readers and
// writers borrow it and are destroyed before it.

#include <cstdint>
#include <string>

namespace windows::registry {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The implementation's handle of the open key, meaningful to that implementation only.
    virtual void* getHandle() const = 0;
    virtual std::uint32_t getRoot() const = 0;
    // The subkey path below the root, as it was given.
    virtual std::string getSubkey() const = 0;
    // The long root name, then "\" and the subkey path unless that is empty.
    virtual std::string getFullName() const = 0;
    // Stores now what was changed through the key (RegFlushKey). Throws
    // RegistryException when it cannot be stored; the change is then not made.
    virtual void flush() = 0;
};

}  // namespace windows::registry
