#pragma once
// An in-memory registry with a small machine, user and default user hive: roots
// mapped through Software\Classes and a CurrentControlSet link, links that loop,
// dangle or lead into the user hive, and values of every type.

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "tests/platform/registry/RegistryTestText.h"

namespace registry_test {

using namespace windows::registry;
using windows::registry::memory::MemoryRegistryService;
using windows::registry::tree::HiveId;

inline std::string machineHive() {
    return header() + key("Software\\\\Classes\\\\.txt", "@=\"txtfile\"\n") +
           key("Software\\\\Classes\\\\CLSID\\\\{0001}\\\\InprocServer32",
               "@=\"C:\\\\windows\\\\system32\\\\a.dll\"\n\"ThreadingModel\"=\"Both\"\n") +
           linkKey("Software\\\\Dangling", "\\Registry\\Machine\\Software\\Nowhere") +
           linkKey("Software\\\\Elsewhere", "\\Registry\\Elsewhere\\X") +
           linkKey("Software\\\\Loop", "\\Registry\\Machine\\Software\\Loop") +
           key("Software\\\\Order\\\\_under") + key("Software\\\\Order\\\\alpha") + key("Software\\\\Order\\\\Beta") +
           key("Software\\\\Order\\\\gamma") +
           linkKey("Software\\\\ToUser", "\\REGISTRY\\USER\\S-1-5-21-0-0-0-1000\\Software") +
           key("Software\\\\Values",
               "\"s\"=\"text\"\n\"e\"=str(2):\"%SystemRoot%\\\\notepad.exe\"\n\"q\"=hex(b):01,00,00,00,00,00,00,00\n"
               "\"m\"=str(7):\"a\\0b\\0\"\n\"d\"=dword:0000002a\n\"d3\"=hex(4):01,02,03\n\"b\"=hex:0a,ff\n"
               "\"\\x00e9t\\x00e9\"=\"summer\"\n") +
           key("System\\\\ControlSet001\\\\Hardware Profiles\\\\Current\\\\Software\\\\Fonts",
               "\"LogPixels\"=dword:00000060\n") +
           linkKey("System\\\\CurrentControlSet", "\\Registry\\Machine\\System\\ControlSet001");
}

inline std::string userHive() {
    return header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000") + key("Environment", "\"TEMP\"=\"C:\\\\temp\"\n") +
           key("Software\\\\Vendor", "\"x1\"=dword:00000064\n");
}

inline std::string defaultUserHive() {
    return header("REGISTRY\\\\User\\\\.Default") + key("Control Panel\\\\Desktop", "\"Wallpaper\"=\"none\"\n");
}

class MemoryRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        registry.importHive(HiveId::MACHINE, machineHive());
        registry.importHive(HiveId::USER, userHive());
        registry.importHive(HiveId::DEFAULT_USER, defaultUserHive());
        registry.variables().set("SystemRoot", "C:\\windows");
    }

    std::unique_ptr<RegistryKey> open(std::uint32_t root, const std::string& subkey, std::uint32_t access = ACCESS_READ) {
        return registry.openKey(root, subkey, access);
    }
    RegistryData read(std::uint32_t root, const std::string& subkey, const std::string& name) {
        const auto key = open(root, subkey);
        return registry.createReader(key.get())->readValue(name);
    }
    std::list<std::string> subkeys(std::uint32_t root, const std::string& subkey) {
        const auto key = open(root, subkey);
        return registry.createReader(key.get())->enumSubkeys();
    }
    bool exists(std::uint32_t root, const std::string& subkey) {
        try {
            open(root, subkey);
            return true;
        } catch (const RegistryKeyNotFoundException&) {
            return false;
        }
    }

    MemoryRegistryService registry;
};

}  // namespace registry_test
