#include "engine/plugins/DomainZoneMap.h"

#include <set>

#include "engine/plugins/ZoneRecords.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

const char* const DOMAINS_ROOT = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains";

namespace {

using windows::registry::registryNameFold;

bool hasOneDot(const std::string& name) { return util::StringHelper::countOccurrences(name, ".") == 1; }

// The keys the additions of one list write into (created, or given a value),
// folded, so that the removals of the same list leave them and what holds them.
class WrittenKeys {
public:
    void add(const std::vector<RegistryModification>& records) {
        for (const RegistryModification& record : records) _keys.insert(registryNameFold(record.subkey));
    }
    bool atOrBelow(const std::string& key) const {
        const std::string folded = registryNameFold(key);
        if (_keys.count(folded)) return true;
        const std::string below = folded + "\\";
        const auto from = _keys.lower_bound(below);
        return from != _keys.end() && from->rfind(below, 0) == 0;
    }

private:
    std::set<std::string> _keys;
};

std::vector<RegistryModification> additionRecords(const ZoneSuggestion& suggestion, const DomainDefinition& definition,
                                                  const DomainEntryState& state) {
    std::vector<RegistryModification> records;
    if (state.location) {
        const DomainLocation& at = *state.location;
        if (!state.restricted) records.push_back(restrictRecord(suggestion, domainKey(at.top, at.sub)));
        return records;
    }
    const DomainParts parts = splitDomain(definition.domain);
    std::string key = domainKey(state.mainKey.value_or(parts.main));
    if (!state.mainKey) records.push_back(addSubkeyRecord(suggestion, key));
    if (!parts.sub.empty()) {
        key += "\\" + parts.sub;
        records.push_back(addSubkeyRecord(suggestion, key));
    }
    records.push_back(restrictRecord(suggestion, key));
    return records;
}

std::vector<RegistryModification> removalRecords(const ZoneSuggestion& suggestion, const DomainEntryState& state,
                                                 const WrittenKeys& written) {
    if (!state.location) return {};
    const DomainLocation& at = *state.location;
    const std::string own = domainKey(at.top, at.sub);
    if (!holdsOnly(state.own, {"*"}) || written.atOrBelow(own)) {
        if (!state.own.zone) return {};
        return {removeZoneRecord(suggestion, own, *state.own.zone)};
    }
    if (at.sub.empty()) return {removeSubkeyRecord(suggestion, own)};
    // The own key is the only thing in its top key, which nothing of this list writes into.
    const std::string top = domainKey(at.top);
    const bool topLeftEmpty = state.top.valueNames.empty() && state.top.subkeys == 1 && !written.atOrBelow(top);
    return {removeSubkeyRecord(suggestion, topLeftEmpty ? top : own)};
}

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
        domains[registryNameFold(top)] = {top, ""};
        for (const std::string& sub : subkeys) domains[registryNameFold(sub + "." + top)] = {top, sub};
    }
    for (const auto& [top, subkeys] : listing) {
        if (hasOneDot(top)) continue;
        for (const std::string& sub : subkeys)
            domains.emplace(registryNameFold(sub + "." + top), DomainLocation{top, sub});
    }
    return domains;
}

std::optional<std::string> mainKeyName(const std::string& domain, const DomainKeyListing& listing) {
    const std::string main = splitDomain(domain).main;
    if (!hasOneDot(main)) return std::nullopt;
    const std::string folded = registryNameFold(main);
    for (const auto& entry : listing)
        if (registryNameFold(entry.first) == folded) return entry.first;
    return std::nullopt;
}

std::vector<RegistryModification> domainRecords(const std::vector<DomainEntry>& entries) {
    // The additions first, so that every removal knows what they write.
    std::vector<std::vector<RegistryModification>> perEntry(entries.size());
    WrittenKeys written;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DomainDefinition& definition = entries[i].definition;
        if (!definition.add) continue;
        const std::string group = "domaingroup" + std::to_string(i);
        perEntry[i] = additionRecords({definition.info, definition.recommend, group}, definition, entries[i].state);
        written.add(perEntry[i]);
    }
    std::vector<RegistryModification> records;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DomainDefinition& definition = entries[i].definition;
        if (!definition.add) {
            const std::string group = "domaingroup" + std::to_string(i);
            perEntry[i] = removalRecords({definition.info, definition.recommend, group}, entries[i].state, written);
        }
        for (RegistryModification& record : perEntry[i]) records.push_back(std::move(record));
    }
    return records;
}

}  // namespace com::quorvex::products::tamblix
