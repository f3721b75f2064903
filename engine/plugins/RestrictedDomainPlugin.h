#pragma once
// Suggests the zone-map changes that put each listed domain into the browser's
// restricted zone or take it out of the zone map (see DomainZoneMap.h). The
// records of one domain share a group ("domaingroup" + its place in the list),
// so they are one suggestion; the engine's fix phase carries them out.
//
// A failure to read the zone of one domain is a problem line and the domain
// counts as not restricted; any other registry failure is a problem line that
// ends this plugin's scan, keeping the records of the domains read before.

#include <map>
#include <string>

#include "engine/plugins/DomainZoneMap.h"
#include "engine/plugins/Plugin.h"
#include "engine/plugins/ZoneDefinition.h"

namespace windows::registry {
class RegistryService;
}

namespace com::quorvex::products::tamblix {

class RestrictedDomainPlugin : public Plugin {
public:
    explicit RestrictedDomainPlugin(windows::registry::RegistryService& registry);

    void expandScanMessage(std::string&) override {}
    void scan(ScanResults& results, ScanProgressListener* progress) override;
    bool hasDefinitions() const override { return !_definitions.empty(); }
    void loadDefinitions(const std::string& xmlText) override;
    void setCancelled(bool) override {}
    void clearDefinitions() override { _definitions.clear(); }
    void fix(ScanResults&, std::string&) override {}
    void fixFinished(ScanResults&) override {}

private:
    void _scan(ScanResults& results);
    DomainKeyListing _listZoneMap();
    DomainEntryState _readState(const DomainDefinition& definition, const std::map<std::string, DomainLocation>& held,
                                const DomainKeyListing& listing, ScanResults& results);
    bool _isRestricted(const std::string& key);

    windows::registry::RegistryService& _registry;
    // By domain text, ascending in plain byte order.
    std::map<std::string, DomainDefinition> _definitions;
};

}  // namespace com::quorvex::products::tamblix
