#include <gtest/gtest.h>

#include "engine/plugins/RestrictedRangePlugin.h"
#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "tests/engine/plugins/ZoneMapFixture.h"

namespace zone_testing {
namespace {

using windows::registry::ROOT_CURRENT_USER;
using namespace platform::winerror;

std::string range(const std::string& text, bool add, const std::string& more = "") {
    return "<range add=\"" + std::string(add ? "true" : "false") + "\"" + more + ">" + text + "</range>";
}

// A subkey of Ranges with its ":Range" text and, unless null, its zone.
std::string held(const std::string& subkey, const std::string& text, const char* zone = "dword:00000004") {
    return zoneKey("Ranges\\" + subkey, "\":Range\"=\"" + text + "\"\n" + (zone ? zoneValue(zone) : ""));
}

std::string adds(const std::string& text) { return "Adds the " + text + " range to the restricted zone"; }
std::string removes(const std::string& text) { return "Removes the " + text + " range from the restricted zone"; }

// The three records of a range that is new to the zone map.
std::vector<std::string> added(const std::string& subkey, const std::string& text, const std::string& group) {
    const std::string tail = " | " + group + " | off | " + adds(text);
    return {"add subkey Ranges\\" + subkey + tail, "set value Ranges\\" + subkey + " :Range=\"" + text + "\"" + tail,
            "set value Ranges\\" + subkey + " *=dword:4" + tail};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class RestrictedRanges : public ZoneMap {
protected:
    ScanResults scan(const std::string& elements) {
        return scanWith<RestrictedRangePlugin>("<restricted-ranges-plugin>" + elements + "</restricted-ranges-plugin>");
    }
};

TEST(RangeNumbers, AreReadAfterRangeAsTheCLibraryReadsDecimalNumbers) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"Range1", 1},         {"Range007", 7},        {"Range12abc", 12},    {"Range 12", 12},
        {"Range\t+3", 3},      {"Range-5", -5},        {"Rangex2", 0},        {"Range", 0},
        {"range3", 0},         {"RANGE3", 0},          {"MyRange3", 0},       {"", 0},
        {"Range2147483648", 2147483648LL},             {"Range99999999999999999999999", 1'000'000'000'000'000'000},
    };
    for (const auto& [name, number] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(rangeNumber(name), number);
    }
}

// (zone map, definitions) -> records, for each way a listed range can stand in the zone map.
TEST_F(RestrictedRanges, SuggestsWhatBringsEachRangeWhereItsDefinitionWantsIt) {
    struct Case {
        const char* name;
        std::string zoneMap;
        std::string definitions;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"present and restricted", held("Range1", "10.0.0.1"), range("10.0.0.1", true), {}},
        {"present in another zone",
         held("Range1", "10.0.0.1", "dword:00000002"),
         range("10.0.0.1", true, " recommend=\"true\""),
         {"set value Ranges\\Range1 *=dword:4 | rangegroup0 | on | " + adds("10.0.0.1")}},
        {"present without a zone, under a name of its own",
         held("Blocked", "10.0.0.1", nullptr),
         range("10.0.0.1", true),
         {"set value Ranges\\Blocked *=dword:4 | rangegroup0 | off | " + adds("10.0.0.1")}},
        {"to leave, whatever its zone",
         held("Range1", "10.0.0.1") + held("Range2", "10.0.0.2", "dword:00000002") + held("Range3", "10.0.0.3", nullptr),
         range("10.0.0.1", false) + range("10.0.0.2", false) + range("10.0.0.3", false),
         {"remove subkey Ranges\\Range1 | rangegroup0 | off | " + removes("10.0.0.1"),
          "remove subkey Ranges\\Range2 | rangegroup1 | off | " + removes("10.0.0.2"),
          "remove subkey Ranges\\Range3 | rangegroup2 | off | " + removes("10.0.0.3")}},
        {"to leave and not there", held("Range1", "10.0.0.1"), range("10.0.0.9", false), {}},
        {"new ranges follow the highest number",
         held("Range1", "10.0.0.1") + held("Range7", "10.0.0.7"),
         range("192.168.1.*", true) + range("10.0.0.7", true) + range("10.1.*.*", true),
         added("Range8", "10.1.*.*", "rangegroup1") + added("Range9", "192.168.1.*", "rangegroup2")},
        {"an empty Ranges key", zoneKey("Ranges"), range("10.0.0.1", true), added("Range1", "10.0.0.1", "rangegroup0")},
        {"names that do not count for the numbering still count as present",
         held("range30", "10.0.0.30", "dword:00000002") + held("Range", "10.0.0.0") + held("Range2", "10.0.0.2"),
         range("10.0.0.30", true) + range("10.0.0.0", false) + range("10.0.0.5", true),
         std::vector<std::string>{"remove subkey Ranges\\Range | rangegroup0 | off | " + removes("10.0.0.0")} +
             std::vector<std::string>{"set value Ranges\\range30 *=dword:4 | rangegroup1 | off | " + adds("10.0.0.30")} +
             added("Range3", "10.0.0.5", "rangegroup2")},
        {"a subkey without a range text counts for the numbering only",
         zoneKey("Ranges\\Range5", zoneValue("dword:00000004")) + zoneKey("Ranges\\Range4\\Deeper"),
         range("10.0.0.1", true) + range("", false),
         added("Range6", "10.0.0.1", "rangegroup1")},
        {"of two subkeys with the same text the later one counts",
         held("Range1", "10.0.0.1", "dword:00000002") + held("Range2", "10.0.0.1"),
         range("10.0.0.1", true),
         {}},
        {"of two subkeys with the same text the later one is removed",
         held("Range1", "10.0.0.1") + held("Range2", "10.0.0.1", "dword:00000002"),
         range("10.0.0.1", false),
         {"remove subkey Ranges\\Range2 | rangegroup0 | off | " + removes("10.0.0.1")}},
        {"the text is compared without regard to letter case",
         held("Range1", "FE80::1", "dword:00000002") + held("Range2", "fe80::2"),
         range("fe80::1", true) + range("FE80::2", false),
         {"remove subkey Ranges\\Range2 | rangegroup0 | off | " + removes("FE80::2"),
          "set value Ranges\\Range1 *=dword:4 | rangegroup1 | off | " + adds("fe80::1")}},
        {"of two definitions that differ in letter case only, the later one counts",
         held("Range1", "Host.example"),
         range("host.example", true) + range("  Host.example ", false),
         {"remove subkey Ranges\\Range1 | rangegroup0 | off | " + removes("Host.example")}},
        // A key name is the same whatever its letter case: range3 does not raise
        // the number, but a new Range3 would be that very key.
        {"a new range never takes a name in use",
         held("Range2", "10.0.0.2") + held("range3", "10.0.0.3") + held("RANGE4", "10.0.0.4"),
         range("10.9.9.9", true) + range("10.8.8.8", true),
         added("Range5", "10.8.8.8", "rangegroup0") + added("Range6", "10.9.9.9", "rangegroup1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        const ScanResults results = scan(c.definitions);
        EXPECT_EQ(render(results.registryChanges), c.records);
        EXPECT_EQ(results.scanProblems, std::vector<std::string>{});
    }
}

// (zone map before, definitions) -> records, and the zone map after the engine
// applied them all: a removal takes out only what names its range.
TEST_F(RestrictedRanges, ARemovalTakesOutOnlyWhatNamesItsRange) {
    struct Case {
        const char* name;
        std::string zoneMap;
        std::vector<std::string> records;  // after the fix
        std::vector<std::string> after;    // below Ranges
    };
    const std::string text = ":Range\"=\"10.0.0.1\"\n";
    const std::string tail = " | rangegroup0 | on | " + removes("10.0.0.1") + " | applied";
    const Case cases[] = {
        {"a subkey that holds only its text and zone goes", held("Range1", "10.0.0.1") + held("Range2", "10.0.0.2"),
         {"remove subkey Ranges\\Range1" + tail},
         {"Range2", "  :Range=\"10.0.0.2\"", "  *=dword:4"}},
        {"a subkey with a text only goes", held("Range1", "10.0.0.1", nullptr), {"remove subkey Ranges\\Range1" + tail}, {}},
        {"the user's zone for one protocol stays",
         zoneKey("Ranges\\Range1", "\"" + text + zoneValue("dword:00000004") + "\"http\"=dword:00000002\n"),
         {"remove value Ranges\\Range1 *=dword:4" + tail},
         {"Range1", "  :Range=\"10.0.0.1\"", "  http=dword:2"}},
        {"a subkey below it stays", held("Range1", "10.0.0.1") + zoneKey("Ranges\\Range1\\Notes"),
         {"remove value Ranges\\Range1 *=dword:4" + tail},
         {"Range1", "  :Range=\"10.0.0.1\"", "Range1\\Notes"}},
        {"without a zone of its own there is nothing to take out",
         zoneKey("Ranges\\Range1", "\"" + text + "\"https\"=dword:00000004\n"),
         {},
         {"Range1", "  :Range=\"10.0.0.1\"", "  https=dword:4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        const FixOutcome outcome = fixEverythingWith<RestrictedRangePlugin>(
            "<restricted-ranges-plugin>" + range("10.0.0.1", false) + "</restricted-ranges-plugin>");
        EXPECT_EQ(outcome.records, c.records);
        EXPECT_EQ(outcome.problems, std::vector<std::string>{});
        EXPECT_EQ(zoneMapBelow("Ranges"), c.after);
    }
}

TEST_F(RestrictedRanges, AnyRegistryFailureEndsTheScanWithOneProblemAndNoSuggestion) {
    const std::string ranges = std::string("HKEY_CURRENT_USER\\") + RANGES_ROOT;
    struct Case {
        const char* name;
        std::string zoneMap;
        const char* denied;  // below Ranges, or null
        std::string problem;
    };
    const Case cases[] = {
        {"no Ranges key (a new profile)", zoneKey("Domains"), nullptr,
         "Error when opening a registry key, the key doesn't exist. Key: " + ranges + "\n\n" +
             SystemErrors::map(FILE_NOT_FOUND)},
        {"a subkey that cannot be opened", held("Range1", "10.0.0.1") + held("Range2", "10.0.0.2"), "\\Range2",
         "Error when opening a registry key, access is denied. Key: " + ranges + "\\Range2\n\n" +
             SystemErrors::map(ACCESS_DENIED)},
        {"a range text that is no string",
         held("Range1", "10.0.0.1") + zoneKey("Ranges\\Range3", "\":Range\"=dword:0a000002\n"), nullptr,
         "Tried to get registry string data from a non string type."},
        {"a zone that is no DWORD", held("Range1", "10.0.0.1", "\"4\""), nullptr,
         "Tried to get registry DWORD data from a non DWORD type."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        if (c.denied) registry.denyAccess(ROOT_CURRENT_USER, RANGES_ROOT + std::string(c.denied));
        const ScanResults results = scan(range("10.0.0.1", false) + range("10.0.0.9", true));
        EXPECT_TRUE(results.registryChanges.empty());
        EXPECT_EQ(results.scanProblems, std::vector<std::string>{c.problem});
    }
}

TEST_F(RestrictedRanges, ReportsItsProgressOnce) {
    useZoneMap(zoneKey("Ranges"));
    scan(range("10.0.0.1", true) + range("10.0.0.2", true));
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Scanning the IP ranges in the zone map."});
}

}  // namespace
}  // namespace zone_testing
