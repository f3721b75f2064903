#include "engine/plugins/HostsPlugin.h"

#include <algorithm>

#include "engine/plugins/HostsRecords.h"
#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix {

HostsPlugin::HostsPlugin(windows::registry::RegistryService& registry, platform::file::FileReader& reader,
                         platform::file::FileWriter& writer, platform::file::FileExistsQuery& exists,
                         platform::file::FolderCalls& folders)
    : _registry(registry), _reader(reader), _writer(writer), _exists(exists), _file(folders) {}

void HostsPlugin::loadDefinitions(const std::string& xmlText) { loadHostsDefinitions(xmlText, _definitions); }

void HostsPlugin::scan(ScanResults& results, ScanProgressListener* progress) {
    if (_definitions.empty()) return;
    progress->progress("Scanning the HOSTS file");
    _file.load(_reader, _exists, _registry);
    for (HostsModification& made : hostsScanRecords(_file, _definitions)) results.hostsChanges.push_back(std::move(made));
}

void HostsPlugin::fix(ScanResults& results, std::string& logSection) {
    if (_definitions.empty()) return;
    std::vector<HostsModification>& records = results.hostsChanges;
    const bool anyPending = std::any_of(records.begin(), records.end(), [](const HostsModification& r) {
        return r.state.selected && !r.state.applied;
    });
    if (!anyPending) {
        logSection = hostsLogSection({});
        return;
    }
    try {
        _file.load(_reader, _exists, _registry);
        const HostsFixPlan plan = planHostsFix(_file.takeLines(), records);
        if (!plan.logLines.empty()) _file.save(plan.lines, _writer, _registry);
        for (HostsModification* done : plan.carriedOut) done->state.applied = true;
        logSection = hostsLogSection(plan.logLines);
    } catch (const exceptions::Exception& failure) {
        results.fixProblems.push_back(failure.getMessage());
    }
}

}  // namespace com::quorvex::products::tamblix
