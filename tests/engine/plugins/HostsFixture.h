#pragma once
// The HOSTS plugin over a registry and a file system in memory: the TCP/IP
// parameters name the folder, and the file's text is set and read as bytes.

#include <gtest/gtest.h>

#include <string>

#include "engine/plugins/HostsPlugin.h"
#include "platform/file/memory/MemoryFileSystem.h"
#include "platform/registry/memory/MemoryRegistryService.h"
#include "tests/platform/registry/RegistryTestText.h"

namespace com::quorvex::products::tamblix::hosts_testing {

constexpr const char* HOSTS_PATH = "C:\\windows\\system32\\drivers\\etc\\HOSTS";

struct SilentProgress : ScanProgressListener {
    std::vector<std::string> texts;
    void progress(std::string text) override { texts.push_back(std::move(text)); }
};

// The definitions document of the given host elements.
inline std::string hostsDefinitions(const std::string& hosts) {
    return "<tamblix-definition><modifications><hosts-block-plugin>" + hosts +
           "</hosts-block-plugin></modifications></tamblix-definition>";
}

class HostsFixture : public testing::Test {
protected:
    void SetUp() override { nameFolder("\"DataBasePath\"=\"C:\\\\windows\\\\system32\\\\drivers\\\\etc\"\n"); }

    // The parameters key with the given value lines.
    void nameFolder(const std::string& valueLines) {
        registry.importHive(windows::registry::tree::HiveId::MACHINE,
                            registry_test::header() +
                                registry_test::key("System\\\\CurrentControlSet\\\\Services\\\\Tcpip\\\\Parameters",
                                                   valueLines));
    }

    void setFile(const std::string& bytes) { files.addFile(HOSTS_PATH, bytes); }
    std::string file() const { return files.files.at(HOSTS_PATH); }

    void load(const std::string& hosts) { plugin.loadDefinitions(hostsDefinitions(hosts)); }
    void scan() { plugin.scan(results, &progress); }
    std::string fix() {
        std::string section;
        plugin.fix(results, section);
        return section;
    }
    void selectAll(bool selected) {
        for (HostsModification& r : results.hostsChanges) r.state.selected = selected;
    }

    windows::registry::memory::MemoryRegistryService registry;
    platform::file::memory::MemoryFileSystem files;
    HostsPlugin plugin{registry, files, files, files, files};
    ScanResults results;
    SilentProgress progress;
};

}  // namespace com::quorvex::products::tamblix::hosts_testing
