#include "engine/plugins/RestrictedRangePlugin.h"

#include <optional>

#include "engine/plugins/ZoneKey.h"
#include "platform/failure/Assertion.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryService.h"

namespace com::quorvex::products::tamblix {

using namespace windows::registry;

RestrictedRangePlugin::RestrictedRangePlugin(RegistryService& registry) : _registry(registry) {}

void RestrictedRangePlugin::loadDefinitions(const std::string& xmlText) { loadRangeDefinitions(xmlText, _definitions); }

void RestrictedRangePlugin::scan(ScanResults& results, ScanProgressListener* progress) {
    if (_definitions.empty()) return;
    progress->progress("Scanning the IP ranges in the zone map.");
    try {
        for (RegistryModification& record : rangeRecords(_definitions, _readZoneMap()))
            results.registryChanges.push_back(std::move(record));
    } catch (const RegistryException& failure) {
        results.scanProblems.push_back(failure.getMessage());
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
}

RangeZoneMap RestrictedRangePlugin::_readZoneMap() {
    RangeZoneMap map;
    const auto root = _registry.openKey(ROOT_CURRENT_USER, RANGES_ROOT, ACCESS_READ);
    for (const std::string& name : _registry.createReader(root.get())->enumSubkeys()) {
        const auto key = _registry.openKey(ROOT_CURRENT_USER, std::string(RANGES_ROOT) + "\\" + name, ACCESS_READ);
        const auto reader = _registry.createReader(key.get());
        std::optional<RangeSubkey> range;
        if (reader->valueExists(":Range")) {
            range.emplace();
            range->text = reader->readValue(":Range").getString();
            if (reader->valueExists("*")) range->zone = reader->readValue("*").getDword();
            range->holdsMore = !holdsOnly(readZoneKey(*reader), {":Range", "*"});
        }
        addRangeSubkey(map, name, range);
    }
    return map;
}

}  // namespace com::quorvex::products::tamblix
