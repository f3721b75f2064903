#include "engine/plugins/DomainZoneMap.h"

#include "engine/plugins/ZoneRecords.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

const char* const DOMAINS_ROOT = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains";

namespace {

bool hasOneDot(const std::string& name) { return util::StringHelper::countOccurrences(name, ".") == 1; }

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
    const ZoneSuggestion suggestion{definition.info, definition.recommend, group};
    std::vector<RegistryModification> records;
    if (state.location) {
        const DomainLocation& at = *state.location;
        if (definition.add) {
            if (!state.restricted) records.push_back(restrictRecord(suggestion, domainKey(at.top, at.sub)));
        } else {
            // The whole top key goes when the domain is all it holds.
            const bool wholeTop = at.sub.empty() || (state.topSubkeys < 2 && !state.topHasZone);
            records.push_back(removeSubkeyRecord(suggestion, wholeTop ? domainKey(at.top) : domainKey(at.top, at.sub)));
        }
    } else if (definition.add) {
        const DomainParts parts = splitDomain(definition.domain);
        std::string key = domainKey(parts.main);
        if (!state.mainExists) records.push_back(addSubkeyRecord(suggestion, key));
        if (!parts.sub.empty()) {
            key = domainKey(parts.main, parts.sub);
            records.push_back(addSubkeyRecord(suggestion, key));
        }
        records.push_back(restrictRecord(suggestion, key));
    }
    return records;
}

}  // namespace com::quorvex::products::tamblix
