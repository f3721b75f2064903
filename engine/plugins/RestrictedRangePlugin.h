#pragma once
// Suggests the zone-map changes that put each listed address range into the
// browser's restricted zone or take it out of the zone map (see RangeZoneMap.h).
// The records of one range share a group ("rangegroup" + its place in the
// list), so they are one suggestion; the engine's fix phase carries them out.
//
// The whole Ranges key is read before anything is decided, so any registry
// failure (the key missing, access denied, a ":Range" that is no string, a "*"
// that is no DWORD) is one problem line and no suggestion at all.

#include <map>
#include <string>

#include "engine/plugins/Plugin.h"
#include "engine/plugins/RangeZoneMap.h"
#include "engine/plugins/ZoneDefinition.h"

namespace windows::registry {
class RegistryService;
}

namespace com::quorvex::products::tamblix {

class RestrictedRangePlugin : public Plugin {
public:
    explicit RestrictedRangePlugin(windows::registry::RegistryService& registry);

    void expandScanMessage(std::string&) override {}
    void scan(ScanResults& results, ScanProgressListener* progress) override;
    bool hasDefinitions() const override { return !_definitions.empty(); }
    void loadDefinitions(const std::string& xmlText) override;
    void setCancelled(bool) override {}
    void clearDefinitions() override { _definitions.clear(); }
    void fix(ScanResults&, std::string&) override {}
    void fixFinished(ScanResults&) override {}

private:
    RangeZoneMap _readZoneMap();

    windows::registry::RegistryService& _registry;
    // By range text, ascending in plain byte order.
    std::map<std::string, RangeDefinition> _definitions;
};

}  // namespace com::quorvex::products::tamblix
