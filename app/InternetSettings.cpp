#include "app/InternetSettings.h"

#include <optional>
#include <string>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"

namespace com::quorvex::products::tamblix {

namespace {

constexpr const char* INTERNET_SETTINGS = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::optional<windows::registry::RegistryData> valueOf(windows::registry::RegistryReader& reader,
                                                       const std::string& name) {
    try {
        if (reader.valueExists(name)) return reader.readValue(name);
    } catch (const windows::registry::RegistryException&) {
    } catch (const windows::info::ExpandException&) {
    }
    return std::nullopt;
}

std::string stringOf(windows::registry::RegistryReader& reader, const std::string& name) {
    const auto data = valueOf(reader, name);
    return data && data->isString() ? data->getString() : "";
}

}  // namespace

windows::internet::ProxySettings readProxySettings(windows::registry::RegistryService& registry) {
    windows::internet::ProxySettings settings;
    try {
        const auto key =
            registry.openKey(windows::registry::ROOT_CURRENT_USER, INTERNET_SETTINGS, windows::registry::ACCESS_READ);
        const auto reader = registry.createReader(key.get());
        const auto enable = valueOf(*reader, "ProxyEnable");
        settings.enabled = enable && enable->isDword() && enable->getDword() != 0;
        settings.server = stringOf(*reader, "ProxyServer");
        settings.bypass = stringOf(*reader, "ProxyOverride");
    } catch (const windows::registry::RegistryException&) {
        return {};
    }
    return settings;
}

}  // namespace com::quorvex::products::tamblix
