#pragma once
// The one way into the registry: one instance is made at start-up and lent to
// everything that reads or writes registry keys. The keys, readers and writers
// it makes belong to the caller, who destroys readers and writers before their key.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryReader.h"
#include "platform/registry/RegistryWriter.h"

namespace windows::registry {

class RegistryService {
public:
    // Opens an existing key; throws RegistryKeyNotFoundException when it does not
    // exist, RegistryAccessDeniedException when access is denied.
    virtual std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& subkey,
                                                 std::uint32_t access) = 0;
    virtual std::unique_ptr<RegistryReader> createReader(RegistryKey* key) = 0;
    virtual std::unique_ptr<RegistryWriter> createWriter(RegistryKey* key) = 0;

protected:
    // Owners hold the concrete service; it is never destroyed through this interface.
    ~RegistryService() = default;
};

}  // namespace windows::registry
