#pragma once
// The address-range part of the browser's per-user zone map and the
// suggestions that bring listed ranges where the definitions want them. Each
// range is a subkey of Ranges of any name, normally "Range" + a number; its
// string value ":Range" is the range text and its DWORD value "*" the zone.
//
// The decisions are functions over what the scan read of the zone map, so they
// hold without a registry.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/plugins/RegistryModification.h"
#include "engine/plugins/ZoneDefinition.h"

namespace com::quorvex::products::tamblix {

// Below HKEY_CURRENT_USER.
extern const char* const RANGES_ROOT;

// What the scan read of a subkey that has a ":Range".
struct RangeSubkey {
    std::string text;  // of ":Range"
    std::optional<std::uint32_t> zone;  // "*", when the subkey has one
    // Whether it has subkeys or values besides ":Range" and "*" (the user's
    // zones for single protocols, say).
    bool holdsMore = false;
};

struct HeldRange {
    std::string subkey;
    std::uint32_t zone = 0;  // 0 when the subkey has no "*"
    bool hasZone = false;
    bool holdsMore = false;
};

struct RangeZoneMap {
    // By ":Range" text in one letter case (registryNameFold); of two subkeys with
    // the same text the later one in enumeration order.
    std::map<std::string, HeldRange> ranges;
    // The highest number of a subkey named "Range" + number, 0 without one.
    std::int64_t highest = 0;
    // Every subkey name, so that a new range never takes a name in use.
    std::vector<std::string> subkeys;
};

// The number a subkey name adds to the numbering: for "Range" (exactly that
// case) followed by at least one character, the rest read as the C library's
// atoi reads it (white space, a sign, leading digits; none gives 0), else 0.
// Numbers too large for 64 bits stay at a bound far above any real one.
std::int64_t rangeNumber(const std::string& subkeyName);

// Adds one subkey as the scan read it: its name, and what it holds when it has a
// ":Range".
void addRangeSubkey(RangeZoneMap& map, const std::string& name, const std::optional<RangeSubkey>& range);

// The records of every definition in map order, each with root HKEY_CURRENT_USER,
// the definition's info and recommend, and group "rangegroup" + its place in the
// list. Range texts compare without regard to case. New ranges take the numbers
// after the highest one, skipping names in use. A removal deletes the range's
// subkey when it holds nothing but ":Range" and "*", else takes out only its "*".
std::vector<RegistryModification> rangeRecords(const std::map<std::string, RangeDefinition>& definitions,
                                               const RangeZoneMap& map);

}  // namespace com::quorvex::products::tamblix
