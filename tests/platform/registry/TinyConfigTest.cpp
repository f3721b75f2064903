#include <gtest/gtest.h>

#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/TinyConfig.h"
#include "tests/platform/registry/MemoryRegistryFixture.h"

namespace registry_test {
namespace {

using util::tinyconfig::TinyConfigException;
using util::tinyconfig::TinyConfigFactory;

TEST_F(MemoryRegistry, SettingsAreDwordsOfTheKeyThePathNames) {
    TinyConfigFactory factory(registry);
    const auto settings = factory.createTinyConfig("HKEY_CURRENT_USER\\Software\\Vendor\\");
    EXPECT_EQ(settings->getInt("x1"), 100);
    settings->setInt("1024.768.x1", -12);
    settings->setInt("1024.768.x2", 2000000000);
    EXPECT_EQ(settings->getInt("1024.768.x1"), -12);
    EXPECT_EQ(read(ROOT_CURRENT_USER, "Software\\Vendor", "1024.768.x1").getDword(), 0xFFFFFFF4u);
    EXPECT_EQ(factory.createTinyConfig("HKEY_CURRENT_USER\\Software\\Vendor")->getInt("1024.768.x2"), 2000000000);
    // A root alone names the root key.
    factory.createTinyConfig("HKEY_CURRENT_USER")->setInt("top", 1);
    EXPECT_EQ(factory.createTinyConfig("HKEY_CURRENT_USER\\")->getInt("top"), 1);
}

TEST_F(MemoryRegistry, EverySettingsFailureIsATinyConfigFailureWithTheRegistrysText) {
    TinyConfigFactory factory(registry);
    struct Case {
        const char* label;
        std::string path;
        std::function<void(util::tinyconfig::TinyConfig&)> call;
        std::string text;
    };
    const Case cases[] = {
        {"empty path", "", [](auto& config) { config.getInt("a"); }, "Could not open registry key: "},
        {"only backslashes", "\\\\", [](auto& config) { config.setInt("a", 1); }, "Could not open registry key: \\\\"},
        {"unknown root", "HKCU\\Software", [](auto& config) { config.getInt("a"); },
         "Unable to convert the string 'HKCU' to a registry key."},
        {"missing key is not created", "HKEY_CURRENT_USER\\Software\\Other\\", [](auto& config) { config.setInt("a", 1); },
         "Error when opening a registry key, the key doesn't exist. Key: HKEY_CURRENT_USER\\Software\\Other\\\n\n"
         "System error message: The file could not be found.\r\n"},
        {"missing value", "HKEY_CURRENT_USER\\Software\\Vendor", [](auto& config) { config.getInt("y"); },
         "Error when reading a registry key, the value doesn't exist. Entry: 'HKEY_CURRENT_USER\\Software\\Vendor\\y'\n\n"
         "System error message: The file could not be found.\r\n"},
        {"not a DWORD", "HKEY_CURRENT_USER\\Environment", [](auto& config) { config.getInt("TEMP"); },
         "Tried to get registry DWORD data from a non DWORD type."},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        const auto config = factory.createTinyConfig(entry.path);
        try {
            entry.call(*config);
            ADD_FAILURE() << "no exception";
        } catch (const TinyConfigException& e) {
            EXPECT_EQ(e.getMessage(), entry.text);
        }
    }
    EXPECT_FALSE(exists(ROOT_CURRENT_USER, "Software\\Other"));
    registry.setReadOnly(true);
    EXPECT_THROW(factory.createTinyConfig("HKEY_CURRENT_USER\\Software\\Vendor")->setInt("x1", 5), TinyConfigException);
}

}  // namespace
}  // namespace registry_test
