#pragma once
// The registry service over a set of hives: the part every tree-backed registry
// (the Wine prefix's files, the in-memory one) has in common.

#include <memory>

#include "platform/registry/RegistryService.h"
#include "platform/registry/tree/RegistryHive.h"

namespace windows::registry::tree {

class TreeRegistryService : public RegistryService {
public:
    explicit TreeRegistryService(std::shared_ptr<RegistryHives> hives) : _hives(std::move(hives)) {}
    virtual ~TreeRegistryService() = default;
    TreeRegistryService(const TreeRegistryService&) = delete;
    TreeRegistryService& operator=(const TreeRegistryService&) = delete;

    std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& subkey, std::uint32_t access) override;
    // The key must have been opened by this kind of registry; another is an internal error.
    std::unique_ptr<RegistryReader> createReader(RegistryKey* key) override;
    std::unique_ptr<RegistryWriter> createWriter(RegistryKey* key) override;

protected:
    RegistryHives& hives() const { return *_hives; }

private:
    std::shared_ptr<RegistryHives> _hives;
};

}  // namespace windows::registry::tree
