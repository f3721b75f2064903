#pragma once
// Keeps the system's HOSTS file in line with the hosts of the definitions:
// blocked hosts are redirected to "127.0.0.1", hosts that must not be blocked
// lose their redirection, and repeated mappings of one host are offered for
// removal (HostsRecords.h). The only plugin that carries out its own records.
//
// The fix works on the file as it is then, not as the scan saw it: it reads the
// file again, takes out the first line equal to each selected removal (one that
// is gone is skipped) and appends each selected addition, so lines that others
// wrote meanwhile stay. The file is replaced whole through the file layer (a
// failed save leaves the old file whole); a failure to read or save it is the
// fix's problem line, and then no record is marked applied.

#include <map>
#include <string>

#include "engine/plugins/HostsDefinition.h"
#include "engine/plugins/HostsFile.h"
#include "engine/plugins/Plugin.h"

namespace com::quorvex::products::tamblix {

class HostsPlugin : public Plugin {
public:
    HostsPlugin(windows::registry::RegistryService& registry, platform::file::FileReader& reader,
                platform::file::FileWriter& writer, platform::file::FileExistsQuery& exists,
                platform::file::FolderCalls& folders);

    void expandScanMessage(std::string&) override {}
    void scan(ScanResults& results, ScanProgressListener* progress) override;
    bool hasDefinitions() const override { return !_definitions.empty(); }
    void loadDefinitions(const std::string& xmlText) override;
    void setCancelled(bool) override {}
    void clearDefinitions() override { _definitions.clear(); }
    void fix(ScanResults& results, std::string& logSection) override;
    void fixFinished(ScanResults&) override {}

private:
    windows::registry::RegistryService& _registry;
    platform::file::FileReader& _reader;
    platform::file::FileWriter& _writer;
    platform::file::FileExistsQuery& _exists;
    HostsFile _file;
    // By host name, ascending in plain byte order.
    std::map<std::string, HostsDefinition> _definitions;
};

}  // namespace com::quorvex::products::tamblix
