#pragma once
// An open key of a tree-backed registry. A modification made through the key
// (or through a reader or writer bound to it) is stored by flush, else when the
// key is closed. A failure to store it in flush is thrown and the hive's changes
// not stored yet are dropped; a failure when the key is closed is an internal
// error, and the changes stay pending for the next key that is closed or for the
// end of the registry.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/tree/KeyResolver.h"

namespace windows::registry::tree {

class RegistryKeyImpl : public RegistryKey {
public:
    enum class Mode { OPEN, CREATE };

    // Throws RegistryKeyNotFoundException, RegistryAccessDeniedException or
    // RegistryException with the texts of opening or creating a key.
    RegistryKeyImpl(std::shared_ptr<RegistryHives> hives, std::uint32_t root, const std::string& subkey,
                    std::uint32_t access, Mode mode);
    ~RegistryKeyImpl() override;
    RegistryKeyImpl(const RegistryKeyImpl&) = delete;
    RegistryKeyImpl& operator=(const RegistryKeyImpl&) = delete;

    void* getHandle() const override;
    std::uint32_t getRoot() const override { return _root; }
    std::string getSubkey() const override { return _subkey; }
    std::string getFullName() const override { return _fullName; }
    void flush() override;

    // For the readers and writers bound to the key, under hives().mutex().
    RegistryHives& hives() const { return *_hives; }
    const std::shared_ptr<RegistryHives>& sharedHives() const { return _hives; }
    const KeyLocation& location() const { return _location; }
    bool allows(std::uint32_t rights) const { return (_rights & rights) == rights; }
    // The key's node now; nullptr when the key was deleted (or for HKEY_USERS itself).
    RegistryNode* node();
    // A modification of the hive was made through the key: store the hive when the key is closed.
    void modified(HiveId hive) { _modifiedHives |= 1u << static_cast<unsigned>(hive); }

private:
    void _open(Mode mode);

    std::shared_ptr<RegistryHives> _hives;
    std::uint32_t _root;
    std::string _subkey;
    std::string _fullName;
    std::uint32_t _rights;
    KeyLocation _location;
    RegistryNode* _node = nullptr;
    std::uint64_t _nodeVersion = 0;
    bool _nodeKnown = false;
    unsigned _modifiedHives = 0;
};

// The rights an access mask grants, its generic rights spelt out.
std::uint32_t grantedRights(std::uint32_t access);

}  // namespace windows::registry::tree
