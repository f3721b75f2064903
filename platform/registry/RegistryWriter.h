#pragma once
// Changes the values and subkeys of one open key, which it does not own.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry/RegistryData.h"
#include "platform/registry/RegistryKey.h"

namespace windows::registry {

class RegistryWriter {
public:
    virtual ~RegistryWriter() = default;
    // Creates (or opens) the named subkey; the caller owns the returned key.
    virtual std::unique_ptr<RegistryKey> createSubkey(const std::string& name, std::uint32_t access) = 0;
    // String data as REG_SZ, DWORD data as REG_DWORD; other data is an internal error.
    virtual void setValue(const std::string& name, const RegistryData& data) = 0;
    // REG_SZ with its terminating zero.
    virtual void setString(const std::string& name, const std::string& text) = 0;
    // The 4 bytes of value in memory order, with the type REG_DWORD, REG_BINARY,
    // REG_DWORD_LITTLE_ENDIAN or REG_DWORD_BIG_ENDIAN.
    virtual void setDword(const std::string& name, std::uint32_t value, std::uint32_t windowsType) = 0;
    virtual void deleteValue(const std::string& name) = 0;
    // Removes the subkey with everything below it.
    virtual void deleteSubkeyTree(const std::string& name) = 0;
};

}  // namespace windows::registry
