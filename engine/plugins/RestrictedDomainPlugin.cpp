#include "engine/plugins/RestrictedDomainPlugin.h"

#include <optional>

#include "platform/failure/Assertion.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/registry/RegistryService.h"

namespace com::quorvex::products::tamblix {

using namespace windows::registry;

RestrictedDomainPlugin::RestrictedDomainPlugin(RegistryService& registry) : _registry(registry) {}

void RestrictedDomainPlugin::loadDefinitions(const std::string& xmlText) {
    loadDomainDefinitions(xmlText, _definitions);
}

void RestrictedDomainPlugin::scan(ScanResults& results, ScanProgressListener* progress) {
    if (_definitions.empty()) return;
    progress->progress("Scanning the domains in the zone map.");
    try {
        _scan(results);
    } catch (const RegistryException& failure) {
        results.scanProblems.push_back(failure.getMessage());
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
}

void RestrictedDomainPlugin::_scan(ScanResults& results) {
    const DomainKeyListing listing = _listZoneMap();
    const std::map<std::string, DomainLocation> held = existingDomains(listing);
    // What was read before a failure is still suggested: those records are decided
    // only with one another, and the domains after the failure get none.
    std::vector<DomainEntry> entries;
    std::optional<std::string> failure;
    for (const auto& [domain, definition] : _definitions) {
        try {
            entries.push_back({definition, _readState(definition, held, listing, results)});
        } catch (const RegistryException& e) {
            failure = e.getMessage();
            break;
        }
    }
    for (RegistryModification& record : domainRecords(entries)) results.registryChanges.push_back(std::move(record));
    if (failure) results.scanProblems.push_back(*failure);
}

DomainKeyListing RestrictedDomainPlugin::_listZoneMap() {
    DomainKeyListing listing;
    const auto root = _registry.openKey(ROOT_CURRENT_USER, DOMAINS_ROOT, ACCESS_READ);
    for (const std::string& top : _registry.createReader(root.get())->enumSubkeys()) {
        const auto key = _registry.openKey(ROOT_CURRENT_USER, domainKey(top), ACCESS_READ);
        const std::list<std::string> subkeys = _registry.createReader(key.get())->enumSubkeys();
        listing.emplace_back(top, std::vector<std::string>(subkeys.begin(), subkeys.end()));
    }
    return listing;
}

DomainEntryState RestrictedDomainPlugin::_readState(const DomainDefinition& definition,
                                                    const std::map<std::string, DomainLocation>& held,
                                                    const DomainKeyListing& listing, ScanResults& results) {
    DomainEntryState state;
    const auto found = held.find(registryNameFold(definition.domain));
    if (found == held.end()) {
        state.mainKey = mainKeyName(definition.domain, listing);
        return state;
    }
    state.location = found->second;
    const DomainLocation& at = found->second;
    if (definition.add) {
        try {
            state.restricted = _isRestricted(domainKey(at.top, at.sub));
        } catch (const RegistryException& failure) {
            results.scanProblems.push_back(failure.getMessage());
        }
    } else {
        state.own = readZoneKey(_registry, domainKey(at.top, at.sub));
        if (!at.sub.empty()) state.top = readZoneKey(_registry, domainKey(at.top));
    }
    return state;
}

bool RestrictedDomainPlugin::_isRestricted(const std::string& key) {
    const auto open = _registry.openKey(ROOT_CURRENT_USER, key, ACCESS_READ);
    const auto reader = _registry.createReader(open.get());
    return reader->valueExists("*") && reader->readValue("*").getDword() == RESTRICTED_ZONE;
}

}  // namespace com::quorvex::products::tamblix
