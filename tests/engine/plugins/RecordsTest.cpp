#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/plugins/RegistryGroups.h"
#include "engine/plugins/ScanResults.h"

using namespace com::quorvex::products::tamblix;

namespace {

unsigned long idNumber(const ModificationState& state) { return std::stoul(state.id); }

TEST(ModificationState, FirstIdOfTheProcessIsOne) {
    // A fresh process, so that no earlier test has moved the counter.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ModificationState first;
            ModificationState second;
            std::exit(first.id == "1" && second.id == "2" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(ModificationState, OneCounterForAllRecordTypesAndCopiesKeepTheirId) {
    RegistryModification registry;
    HostsModification hosts;
    FileModification file;
    EXPECT_EQ(idNumber(hosts.state), idNumber(registry.state) + 1);
    EXPECT_EQ(idNumber(file.state), idNumber(registry.state) + 2);
    EXPECT_FALSE(registry.state.selected);
    EXPECT_FALSE(registry.state.applied);

    ScanResults results;
    results.registryChanges.push_back(registry);
    results.registryChanges.reserve(100);  // moves the records
    const ScanResults copy = results;
    EXPECT_EQ(results.registryChanges[0].state.id, registry.state.id);
    EXPECT_EQ(copy.registryChanges[0].state.id, registry.state.id);

    ModificationState later(true);
    EXPECT_TRUE(later.selected);
    EXPECT_EQ(idNumber(later), idNumber(file.state) + 1);
}

TEST(ModificationState, IdsStayUniqueWhenTwoThreadsMakeRecords) {
    constexpr int perThread = 5000;
    std::vector<unsigned long> a, b;
    auto make = [](std::vector<unsigned long>& ids) {
        for (int i = 0; i < perThread; ++i) ids.push_back(idNumber(ModificationState()));
    };
    std::thread first(make, std::ref(a));
    std::thread second(make, std::ref(b));
    first.join();
    second.join();
    std::set<unsigned long> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    ASSERT_EQ(all.size(), 2u * perThread);
    EXPECT_EQ(*all.rbegin() - *all.begin(), 2u * perThread - 1);  // no id skipped
    EXPECT_TRUE(std::is_sorted(a.begin(), a.end()));
}

TEST(RegistryGroups, EachRecordOfARunFollowsTheOneBeforeIt) {
    struct Case {
        const char* name;
        std::vector<std::string> groups;
        std::vector<bool> ticked;
        std::vector<bool> expected;
    } cases[] = {
        {"run follows its first record", {"g", "g", "g"}, {true, false, false}, {true, true, true}},
        {"unticked first record unticks the run", {"g", "g", "g"}, {false, true, true}, {false, false, false}},
        {"the third follows the second when the second differs",
         {"a", "b", "b"}, {true, false, true}, {true, false, false}},
        {"equal groups that are not adjacent stay apart", {"a", "b", "a"}, {true, false, false}, {true, false, false}},
        {"records of their own keep their choice", {"0", "1", "2"}, {false, true, false}, {false, true, false}},
        {"a single record", {"x"}, {true}, {true}},
        {"no records", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<RegistryModification> records(c.groups.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].group = c.groups[i];
            records[i].state.selected = c.ticked[i];
        }
        propagateGroupSelection(records);
        std::vector<bool> selected;
        for (const auto& record : records) selected.push_back(record.state.selected);
        EXPECT_EQ(selected, c.expected);
    }
}

TEST(HostsEntry, EqualityIgnoresTheOctetsOnly) {
    const HostsEntry base{HostsEntry::MAPPING, "ads.example", "127.0.0.1", {127, 0, 0, 1}, "127.0.0.1 ads.example"};
    struct Case {
        const char* name;
        HostsEntry other;
        bool equal;
    } cases[] = {
        {"same", base, true},
        {"other octets", {HostsEntry::MAPPING, "ads.example", "127.0.0.1", {0, 0, 0, 0}, base.line}, true},
        {"other kind", {HostsEntry::INVALID, "ads.example", "127.0.0.1", base.octets, base.line}, false},
        {"host differs in case", {HostsEntry::MAPPING, "ADS.example", "127.0.0.1", base.octets, base.line}, false},
        {"other address", {HostsEntry::MAPPING, "ads.example", "127.0.0.2", base.octets, base.line}, false},
        {"other line", {HostsEntry::MAPPING, "ads.example", "127.0.0.1", base.octets, base.line + " "}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(base == c.other, c.equal);
    }
}

}  // namespace
