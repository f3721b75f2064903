#include "engine/plugins/RangeZoneMap.h"

#include <algorithm>
#include <set>

#include "platform/registry/RegistryConstants.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

const char* const RANGES_ROOT = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Ranges";

namespace {

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
    for (const std::string& name : subkeys) names.insert(util::StringHelper::toLower(name));
    return names;
}

RegistryModification record(const RangeDefinition& definition, const std::string& group, const std::string& key,
                            int action) {
    RegistryModification made;
    made.root = windows::registry::ROOT_CURRENT_USER;
    made.subkey = key;
    made.action = action;
    made.description = definition.info;
    made.group = group;
    made.state = ModificationState(definition.recommend);
    return made;
}

RegistryModification zoneRecord(const RangeDefinition& definition, const std::string& group, const std::string& key) {
    RegistryModification made = record(definition, group, key, RegistryModification::SET_VALUE);
    made.valueName = "*";
    made.data.type = ModificationValue::TYPE_DWORD;
    made.data.number = RESTRICTED_ZONE;
    return made;
}

}  // namespace

std::int64_t rangeNumber(const std::string& subkeyName) {
    if (subkeyName.size() <= 5 || subkeyName.compare(0, 5, "Range") != 0) return 0;
    return leadingNumber(subkeyName.substr(5));
}

void addRangeSubkey(RangeZoneMap& map, const std::string& name, const std::string* rangeText, std::uint32_t zone) {
    map.highest = std::max(map.highest, rangeNumber(name));
    map.subkeys.push_back(name);
    if (rangeText) map.ranges[*rangeText] = HeldRange{name, zone};
}

std::vector<RegistryModification> rangeRecords(const std::map<std::string, RangeDefinition>& definitions,
                                               const RangeZoneMap& map) {
    std::vector<RegistryModification> records;
    std::int64_t number = map.highest;
    const std::set<std::string> inUse = namesInUse(map.subkeys);
    unsigned counter = 0;
    for (const auto& [text, definition] : definitions) {
        const std::string group = "rangegroup" + std::to_string(counter++);
        const auto held = map.ranges.find(text);
        if (held == map.ranges.end()) {
            if (!definition.add) continue;
            // A lower-case "range9" does not count for the numbering but is the
            // same key as "Range9".
            std::string name;
            do name = "Range" + std::to_string(++number);
            while (inUse.count(util::StringHelper::toLower(name)) != 0);
            const std::string key = rangeKey(name);
            records.push_back(record(definition, group, key, RegistryModification::ADD_SUBKEY));
            RegistryModification rangeText = record(definition, group, key, RegistryModification::SET_VALUE);
            rangeText.valueName = ":Range";
            rangeText.data.type = ModificationValue::TYPE_STRING;
            rangeText.data.text = text;
            records.push_back(std::move(rangeText));
            records.push_back(zoneRecord(definition, group, key));
        } else if (!definition.add) {
            records.push_back(record(definition, group, rangeKey(held->second.subkey), RegistryModification::REMOVE_SUBKEY));
        } else if (held->second.zone != RESTRICTED_ZONE) {
            records.push_back(zoneRecord(definition, group, rangeKey(held->second.subkey)));
        }
    }
    return records;
}

}  // namespace com::quorvex::products::tamblix
