#include "engine/plugins/DomainZoneMap.h"

#include "platform/registry/RegistryConstants.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

const char* const DOMAINS_ROOT = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains";

namespace {

bool hasOneDot(const std::string& name) { return util::StringHelper::countOccurrences(name, ".") == 1; }

class RecordMaker {
public:
    RecordMaker(const DomainDefinition& definition, const std::string& group)
        : _definition(definition), _group(group) {}

    void addSubkey(const std::string& key) { _add(key, RegistryModification::ADD_SUBKEY); }
    void removeSubkey(const std::string& key) { _add(key, RegistryModification::REMOVE_SUBKEY); }
    void setRestricted(const std::string& key) {
        RegistryModification& record = _add(key, RegistryModification::SET_VALUE);
        record.valueName = "*";
        record.data.type = ModificationValue::TYPE_DWORD;
        record.data.number = RESTRICTED_ZONE;
    }
    std::vector<RegistryModification> take() { return std::move(_records); }

private:
    RegistryModification& _add(const std::string& key, int action) {
        RegistryModification record;
        record.root = windows::registry::ROOT_CURRENT_USER;
        record.subkey = key;
        record.action = action;
        record.description = _definition.info;
        record.group = _group;
        record.state = ModificationState(_definition.recommend);
        _records.push_back(std::move(record));
        return _records.back();
    }

    const DomainDefinition& _definition;
    const std::string& _group;
    std::vector<RegistryModification> _records;
};

}  // namespace

std::string domainKey(const std::string& top, const std::string& sub) {
    std::string key = std::string(DOMAINS_ROOT) + "\\" + top;
    if (!sub.empty()) key += "\\" + sub;
    return key;
}

DomainParts splitDomain(const std::string& domain) {
    const std::size_t last = domain.rfind('.');
    if (last == std::string::npos || last == 0) return {"", domain};
    const std::size_t before = domain.rfind('.', last - 1);
    if (before == std::string::npos) return {"", domain};
    return {domain.substr(0, before), domain.substr(before + 1)};
}

std::map<std::string, DomainLocation> existingDomains(const DomainKeyListing& listing) {
    std::map<std::string, DomainLocation> domains;
    // First the places a domain's own labels name, so that they win.
    for (const auto& [top, subkeys] : listing) {
        if (!hasOneDot(top)) continue;
        domains[top] = {top, ""};
        for (const std::string& sub : subkeys) domains[sub + "." + top] = {top, sub};
    }
    for (const auto& [top, subkeys] : listing) {
        if (hasOneDot(top)) continue;
        for (const std::string& sub : subkeys) domains.emplace(sub + "." + top, DomainLocation{top, sub});
    }
    return domains;
}

bool mainKeyExists(const std::string& domain, const DomainKeyListing& listing) {
    const std::string main = splitDomain(domain).main;
    if (!hasOneDot(main)) return false;
    for (const auto& entry : listing)
        if (entry.first == main) return true;
    return false;
}

std::vector<RegistryModification> domainRecords(const DomainDefinition& definition, const DomainEntryState& state,
                                                const std::string& group) {
    RecordMaker records(definition, group);
    if (state.location) {
        const DomainLocation& at = *state.location;
        if (definition.add) {
            if (!state.restricted) records.setRestricted(domainKey(at.top, at.sub));
        } else {
            // The whole top key goes when the domain is all it holds.
            const bool wholeTop = at.sub.empty() || (state.topSubkeys < 2 && !state.topHasZone);
            records.removeSubkey(wholeTop ? domainKey(at.top) : domainKey(at.top, at.sub));
        }
    } else if (definition.add) {
        const DomainParts parts = splitDomain(definition.domain);
        std::string key = domainKey(parts.main);
        if (!state.mainExists) records.addSubkey(key);
        if (!parts.sub.empty()) {
            key = domainKey(parts.main, parts.sub);
            records.addSubkey(key);
        }
        records.setRestricted(key);
    }
    return records.take();
}

}  // namespace com::quorvex::products::tamblix
