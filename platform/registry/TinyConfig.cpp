#include "platform/registry/TinyConfig.h"

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryKeyNames.h"

namespace util::tinyconfig {

using namespace windows::registry;

TinyConfigImpl::TinyConfigImpl(RegistryService& registry, const std::string& path) : _registry(registry), _path(path) {}

std::unique_ptr<RegistryKey> TinyConfigImpl::_open(std::uint32_t access) {
    if (_path.find_first_not_of('\\') == std::string::npos)
        throw TinyConfigException("Could not open registry key: " + _path);
    const std::size_t cut = _path.find('\\');
    const std::string rootName = _path.substr(0, cut);
    const std::string subkey = cut == std::string::npos ? "" : _path.substr(cut + 1);
    return _registry.openKey(RegistryKeyNames(false).stringToKey(rootName), subkey, access);
}

int TinyConfigImpl::getInt(const std::string& name) {
    try {
        const auto key = _open(ACCESS_READ);
        return static_cast<int>(_registry.createReader(key.get())->readValue(name).getDword());
    } catch (const RegistryException& failure) {
        throw TinyConfigException(failure.getMessage());
    }
}

void TinyConfigImpl::setInt(const std::string& name, int value) {
    try {
        const auto key = _open(ACCESS_SET_VALUE);
        _registry.createWriter(key.get())->setDword(name, static_cast<std::uint32_t>(value), TYPE_DWORD);
    } catch (const RegistryException& failure) {
        throw TinyConfigException(failure.getMessage());
    }
}

std::unique_ptr<TinyConfig> TinyConfigFactory::createTinyConfig(const std::string& path) {
    return std::make_unique<TinyConfigImpl>(_registry, path);
}

}  // namespace util::tinyconfig
