#include "engine/plugins/RangeZoneMap.h"

#include <algorithm>
#include <set>

#include "engine/plugins/ZoneRecords.h"
#include "platform/registry/RegistryHelpers.h"

namespace com::quorvex::products::tamblix {

const char* const RANGES_ROOT = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Ranges";

namespace {

using windows::registry::registryNameFold;

constexpr std::int64_t NUMBER_BOUND = 1'000'000'000'000'000'000;

bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::int64_t leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (NUMBER_BOUND - digit) / 10 ? NUMBER_BOUND : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string rangeKey(const std::string& subkey) { return std::string(RANGES_ROOT) + "\\" + subkey; }

// Registry names are equal whatever their letter case.
std::set<std::string> namesInUse(const std::vector<std::string>& subkeys) {
    std::set<std::string> names;
    for (const std::string& name : subkeys) names.insert(registryNameFold(name));
    return names;
}

void addRemoval(std::vector<RegistryModification>& records, const ZoneSuggestion& suggestion, const HeldRange& held) {
    const std::string key = rangeKey(held.subkey);
    if (!held.holdsMore)
        records.push_back(removeSubkeyRecord(suggestion, key));
    else if (held.hasZone)
        records.push_back(removeZoneRecord(
            suggestion, key, {.type = ModificationValue::TYPE_DWORD, .number = held.zone, .text = ""}));
}

}  // namespace

std::int64_t rangeNumber(const std::string& subkeyName) {
    if (subkeyName.size() <= 5 || subkeyName.compare(0, 5, "Range") != 0) return 0;
    return leadingNumber(subkeyName.substr(5));
}

void addRangeSubkey(RangeZoneMap& map, const std::string& name, const std::optional<RangeSubkey>& range) {
    map.highest = std::max(map.highest, rangeNumber(name));
    map.subkeys.push_back(name);
    if (range)
        map.ranges[registryNameFold(range->text)] =
            HeldRange{name, range->zone.value_or(0), range->zone.has_value(), range->holdsMore};
}

std::vector<RegistryModification> rangeRecords(const std::map<std::string, RangeDefinition>& definitions,
                                               const RangeZoneMap& map) {
    std::vector<RegistryModification> records;
    std::int64_t number = map.highest;
    const std::set<std::string> inUse = namesInUse(map.subkeys);
    unsigned counter = 0;
    for (const auto& [text, definition] : definitions) {
        const std::string group = "rangegroup" + std::to_string(counter++);
        const ZoneSuggestion suggestion{definition.info, definition.recommend, group};
        const auto held = map.ranges.find(registryNameFold(text));
        if (held == map.ranges.end()) {
            if (!definition.add) continue;
            // A lower-case "range9" does not count for the numbering but is the
            // same key as "Range9".
            std::string name;
            do name = "Range" + std::to_string(++number);
            while (inUse.count(registryNameFold(name)) != 0);
            const std::string key = rangeKey(name);
            records.push_back(addSubkeyRecord(suggestion, key));
            records.push_back(setTextRecord(suggestion, key, ":Range", text));
            records.push_back(restrictRecord(suggestion, key));
        } else if (!definition.add) {
            addRemoval(records, suggestion, held->second);
        } else if (held->second.zone != RESTRICTED_ZONE) {
            records.push_back(restrictRecord(suggestion, rangeKey(held->second.subkey)));
        }
    }
    return records;
}

}  // namespace com::quorvex::products::tamblix
