#pragma once
// The settings store: integers kept as REG_DWORD values of one registry key,
// named by its full path with a long root name ("HKEY_CURRENT_USER\Software\Vendor\").
// The key is opened for each operation and never created; every registry
// failure comes out as TinyConfigException with the registry's own text.

#include <memory>
#include <string>

#include "platform/registry/RegistryService.h"

namespace util::tinyconfig {

class TinyConfig {
public:
    virtual ~TinyConfig() = default;
    virtual int getInt(const std::string& name) = 0;
    virtual void setInt(const std::string& name, int value) = 0;
};

class TinyConfigImpl : public TinyConfig {
public:
    TinyConfigImpl(windows::registry::RegistryService& registry, const std::string& path);

    int getInt(const std::string& name) override;
    void setInt(const std::string& name, int value) override;

private:
    std::unique_ptr<windows::registry::RegistryKey> _open(std::uint32_t access);

    windows::registry::RegistryService& _registry;
    std::string _path;
};

// Makes the settings stores; holds the registry service they use.
class TinyConfigFactory {
public:
    explicit TinyConfigFactory(windows::registry::RegistryService& registry) : _registry(registry) {}
    virtual ~TinyConfigFactory() = default;
    virtual std::unique_ptr<TinyConfig> createTinyConfig(const std::string& path);

private:
    windows::registry::RegistryService& _registry;
};

}  // namespace util::tinyconfig
