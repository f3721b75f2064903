#pragma once
// The registry files (hives) that the keys of a tree-backed registry work on,
// and the set of them that one registry service and all its keys share.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/registry/EnvironmentExpander.h"
#include "platform/registry/tree/RegistryChange.h"
#include "platform/registry/tree/RegistryNode.h"

namespace windows::registry::tree {

enum class HiveId {
    MACHINE,       // HKEY_LOCAL_MACHINE
    USER,          // HKEY_CURRENT_USER = HKEY_USERS\S-1-5-21-0-0-0-1000
    DEFAULT_USER,  // HKEY_USERS\.Default
};

// The user hive's name below HKEY_USERS.
constexpr char16_t USER_SID[] = u"S-1-5-21-0-0-0-1000";
constexpr char16_t DEFAULT_USER_NAME[] = u".Default";

// One hive. Used only under the mutex of its RegistryHives.
class RegistryHive {
public:
    virtual ~RegistryHive() = default;
    // Brings the tree up to date with its store: loads it the first time and again
    // whenever the store changed since. Throws RegistryException when the store
    // cannot be read; the hive is then unusable until the store changes.
    virtual void refresh() = 0;
    // The tree as it is (loaded first if it never was); throws as refresh does.
    virtual RegistryNode& root() = 0;
    // Moves on whenever the tree changes or is replaced, so that node pointers
    // taken at another version are known to be stale.
    virtual std::uint64_t version() const = 0;
    // Whether the hive may be changed now: 0, or the Windows code of the refusal.
    // Throws RegistryException, naming entry, when changing it now would fight
    // another program that holds it.
    virtual int checkModifiable(const std::string& entry) = 0;
    // Applies the change and keeps it for the next commit; false when nothing changed.
    virtual bool apply(const RegistryChange& change) = 0;
    // Stores the changes applied since the last commit. Throws RegistryException
    // on failure, and keeps the changes for the next commit.
    virtual void commit() = 0;
    // Drops the changes not stored yet: the hive is again as it was stored.
    virtual void discard() = 0;
};

class RegistryHives {
public:
    virtual ~RegistryHives() = default;
    virtual RegistryHive& hive(HiveId id) = 0;
    // The expansion of REG_EXPAND_SZ values.
    virtual const info::EnvironmentExpander& expander() = 0;
    // The time of a change, in 100 ns since 1601.
    virtual std::uint64_t now() const;
    // The Windows code that refuses opening the existing key at path, 0 when it may be opened.
    virtual int openCode(HiveId /*hive*/, const std::vector<std::u16string>& /*path*/) { return 0; }
    // Held through every operation on the hives, so that keys may be used from
    // several threads.
    std::recursive_mutex& mutex() { return _mutex; }

private:
    std::recursive_mutex _mutex;
};

}  // namespace windows::registry::tree
