#include <gtest/gtest.h>

#include <string>

#include "app/InternetSettings.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "tests/platform/registry/RegistryTestText.h"

namespace {

using com::quorvex::products::tamblix::readProxySettings;
using windows::registry::memory::MemoryRegistryService;
using windows::registry::tree::HiveId;

constexpr const char* KEY = "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Internet Settings";

struct SettingsCase {
    const char* what;
    std::string userHive;
    bool enabled;
    std::string server;
    std::string bypass;
};

std::string userHive(const std::string& body) {
    return registry_test::header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") + body;
}

TEST(InternetSettings, TheProxyIsReadFromTheUsersInternetSettings) {
    const SettingsCase cases[] = {
        {"no key: direct", userHive(registry_test::key("Software\\\\Other")), false, "", ""},
        {"the values as the browser writes them",
         userHive(registry_test::key(KEY,
                                     "\"ProxyEnable\"=dword:00000001\n\"ProxyServer\"=\"proxy.corp:8080\"\n"
                                     "\"ProxyOverride\"=\"*.corp;<local>\"\n")),
         true, "proxy.corp:8080", "*.corp;<local>"},
        {"switched off, server kept",
         userHive(registry_test::key(KEY, "\"ProxyEnable\"=dword:00000000\n\"ProxyServer\"=\"proxy.corp:8080\"\n")),
         false, "proxy.corp:8080", ""},
        {"no ProxyEnable is off", userHive(registry_test::key(KEY, "\"ProxyServer\"=\"proxy.corp:8080\"\n")), false,
         "proxy.corp:8080", ""},
        {"ProxyEnable of another type is off",
         userHive(registry_test::key(KEY, "\"ProxyEnable\"=\"1\"\n\"ProxyServer\"=\"p:1\"\n")), false, "p:1", ""},
        {"a server of another type is none",
         userHive(registry_test::key(KEY, "\"ProxyEnable\"=dword:00000001\n\"ProxyServer\"=dword:00000005\n")), true,
         "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistryService registry;
        registry.importHive(HiveId::USER, c.userHive);
        const auto settings = readProxySettings(registry);
        EXPECT_EQ(settings.enabled, c.enabled);
        EXPECT_EQ(settings.server, c.server);
        EXPECT_EQ(settings.bypass, c.bypass);
    }
}

TEST(InternetSettings, AKeyThatCannotBeOpenedMeansDirect) {
    MemoryRegistryService registry;
    registry.importHive(HiveId::USER,
                        userHive(registry_test::key(KEY, "\"ProxyEnable\"=dword:00000001\n\"ProxyServer\"=\"p:1\"\n")));
    registry.denyAccess(windows::registry::ROOT_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings");
    const auto settings = readProxySettings(registry);
    EXPECT_FALSE(settings.enabled);
    EXPECT_EQ(settings.server, "");
}

}  // namespace
