#include <gtest/gtest.h>

#include "engine/plugins/RestrictedDomainPlugin.h"
#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/registry/RegistryExceptions.h"
#include "tests/engine/AssertionLog.h"
#include "tests/engine/plugins/ZoneMapFixture.h"

namespace zone_testing {
namespace {

using windows::registry::ROOT_CURRENT_USER;
using namespace platform::winerror;

// The registry layer's text for a key of the Domains key that cannot be opened.
std::string openingFailure(const std::string& reason, const std::string& below, int code) {
    return "Error when opening a registry key, " + reason + ". Key: HKEY_CURRENT_USER\\" + DOMAINS_ROOT + below +
           "\n\n" + SystemErrors::map(code);
}

std::string domain(const std::string& name, bool add, const std::string& more = "") {
    return "<domain add=\"" + std::string(add ? "true" : "false") + "\"" + more + ">" + name + "</domain>";
}

const char* const ADDS_ABC = "Adds the a.b.c domain to the restricted zone";
const char* const REMOVES_ABC = "Removes the a.b.c domain from the restricted zone";

class RestrictedDomains : public ZoneMap {
protected:
    ScanResults scan(const std::string& elements) {
        return scanWith<RestrictedDomainPlugin>("<restricted-domains-plugin>" + elements + "</restricted-domains-plugin>");
    }
};

// (zone map, definitions) -> records, for each way a listed domain can stand in the zone map.
TEST_F(RestrictedDomains, SuggestsWhatBringsEachDomainWhereItsDefinitionWantsIt) {
    struct Case {
        const char* name;
        std::string zoneMap;
        std::string definitions;
        std::vector<std::string> records;
    };
    const std::string ADDS_BC = "Adds the b.c domain to the restricted zone";
    const Case cases[] = {
        {"present and restricted", zoneKey("Domains\\b.c", zoneValue("dword:00000004")), domain("b.c", true), {}},
        {"present in another zone",
         zoneKey("Domains\\b.c", zoneValue("dword:00000002")),
         domain("b.c", true),
         {"set value Domains\\b.c *=dword:4 | domaingroup0 | off | " + ADDS_BC}},
        {"present without a zone",
         zoneKey("Domains\\b.c", "\"http\"=dword:00000004\n"),
         domain("b.c", true),
         {"set value Domains\\b.c *=dword:4 | domaingroup0 | off | " + ADDS_BC}},
        {"nothing of it there",
         zoneKey("Domains"),
         domain("a.b.c", true),
         {std::string("add subkey Domains\\b.c | domaingroup0 | off | ") + ADDS_ABC,
          std::string("add subkey Domains\\b.c\\a | domaingroup0 | off | ") + ADDS_ABC,
          std::string("set value Domains\\b.c\\a *=dword:4 | domaingroup0 | off | ") + ADDS_ABC}},
        {"its main key there without the sub key",
         zoneKey("Domains\\b.c\\x", zoneValue("dword:00000004")),
         domain("a.b.c", true),
         {std::string("add subkey Domains\\b.c\\a | domaingroup0 | off | ") + ADDS_ABC,
          std::string("set value Domains\\b.c\\a *=dword:4 | domaingroup0 | off | ") + ADDS_ABC}},
        {"sub key present and restricted",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", true),
         {}},
        {"sub key present in another zone, its main key restricted",
         zoneKey("Domains\\b.c", zoneValue("dword:00000004")) + zoneKey("Domains\\b.c\\a", zoneValue("dword:00000001")),
         domain("a.b.c", true),
         {std::string("set value Domains\\b.c\\a *=dword:4 | domaingroup0 | off | ") + ADDS_ABC}},
        {"four labels: the last two are the main key",
         zoneKey("Domains"),
         domain("a.b.c.d", true),
         {"add subkey Domains\\c.d | domaingroup0 | off | Adds the a.b.c.d domain to the restricted zone",
          "add subkey Domains\\c.d\\a.b | domaingroup0 | off | Adds the a.b.c.d domain to the restricted zone",
          "set value Domains\\c.d\\a.b *=dword:4 | domaingroup0 | off | Adds the a.b.c.d domain to the restricted zone"}},
        {"to leave: the only entry of its main key",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", false),
         {std::string("remove subkey Domains\\b.c | domaingroup0 | off | ") + REMOVES_ABC}},
        {"to leave: its main key holds another entry",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")) + zoneKey("Domains\\b.c\\www", zoneValue("dword:00000002")),
         domain("a.b.c", false),
         {std::string("remove subkey Domains\\b.c\\a | domaingroup0 | off | ") + REMOVES_ABC}},
        {"to leave: its main key has a zone of its own",
         zoneKey("Domains\\b.c", zoneValue("dword:00000002")) + zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", false),
         {std::string("remove subkey Domains\\b.c\\a | domaingroup0 | off | ") + REMOVES_ABC}},
        {"to leave: a main domain with subdomains loses only its own zone, whatever it is",
         zoneKey("Domains\\b.c", zoneValue("dword:00000001")) + zoneKey("Domains\\b.c\\a") + zoneKey("Domains\\b.c\\d"),
         domain("b.c", false),
         {"remove value Domains\\b.c *=dword:1 | domaingroup0 | off | Removes the b.c domain from the restricted zone"}},
        {"to leave and not there", zoneKey("Domains\\x.y"), domain("a.b.c", false) + domain("b.c", false), {}},
        {"a name without a dot never counts as present",
         zoneKey("Domains\\localhost", zoneValue("dword:00000004")),
         domain("localhost", true) + domain("intranet", false),
         {"add subkey Domains\\localhost | domaingroup1 | off | Adds the localhost domain to the restricted zone",
          "set value Domains\\localhost *=dword:4 | domaingroup1 | off | Adds the localhost domain to the restricted zone"}},
        // As the registry compares key names; a new key goes below the main key as it is named.
        {"letter case does not count when comparing with key names",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("A.b.c", true) + domain("x.B.C", true),
         {"add subkey Domains\\b.c\\x | domaingroup1 | off | Adds the x.B.C domain to the restricted zone",
          "set value Domains\\b.c\\x *=dword:4 | domaingroup1 | off | Adds the x.B.C domain to the restricted zone"}},
        {"of two definitions that differ in letter case only, the later one counts",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", true) + domain("A.B.c", false),
         {"remove subkey Domains\\b.c | domaingroup0 | off | Removes the A.B.c domain from the restricted zone"}},
        // A key below a name with no dot or with two dots holds a domain too; it
        // is read and removed where it is, not where its labels would put it.
        {"held below a key without a dot",
         zoneKey("Domains\\c\\b", zoneValue("dword:00000002")),
         domain("b.c", true) + domain("a.b.c", true),
         {std::string("add subkey Domains\\b.c | domaingroup0 | off | ") + ADDS_ABC,
          std::string("add subkey Domains\\b.c\\a | domaingroup0 | off | ") + ADDS_ABC,
          std::string("set value Domains\\b.c\\a *=dword:4 | domaingroup0 | off | ") + ADDS_ABC,
          "set value Domains\\c\\b *=dword:4 | domaingroup1 | off | " + ADDS_BC}},
        {"held below a key with two dots",
         zoneKey("Domains\\example.co.uk\\www", zoneValue("dword:00000004")) + zoneKey("Domains\\shop.co.uk\\www"),
         domain("www.example.co.uk", false) + domain("www.shop.co.uk", true),
         {"remove subkey Domains\\example.co.uk | domaingroup0 | off | "
          "Removes the www.example.co.uk domain from the restricted zone",
          "set value Domains\\shop.co.uk\\www *=dword:4 | domaingroup1 | off | "
          "Adds the www.shop.co.uk domain to the restricted zone"}},
        {"in byte order, a group for every definition, info and recommend as given",
         zoneKey("Domains\\z.com", zoneValue("dword:00000004")),
         domain("z.com", true) + domain("a.com", true, " recommend=\"true\" info=\"&lt;b&gt;Tracker&lt;/b&gt; &amp; ads\"") +
             domain("Example.com", false, " recommend=\"false\"") + domain("m.com", false, " recommend=\"1\""),
         {"add subkey Domains\\a.com | domaingroup1 | on | <b>Tracker</b> & ads",
          "set value Domains\\a.com *=dword:4 | domaingroup1 | on | <b>Tracker</b> & ads"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        const ScanResults results = scan(c.definitions);
        EXPECT_EQ(render(results.registryChanges), c.records);
        EXPECT_EQ(results.scanProblems, std::vector<std::string>{});
        EXPECT_TRUE(results.hostsChanges.empty() && results.fileChanges.empty() && results.fixProblems.empty());
    }
}

std::string removes(const std::string& name) { return "Removes the " + name + " domain from the restricted zone"; }
std::string adds(const std::string& name) { return "Adds the " + name + " domain to the restricted zone"; }

// (zone map before, definitions) -> records, and the zone map after the engine
// applied them all: a removal takes out only what names its domain, and the
// records of one scan, decided together, never undo one another.
TEST_F(RestrictedDomains, ARemovalTakesOutOnlyWhatNamesItsDomain) {
    struct Case {
        const char* name;
        std::string zoneMap;
        std::string definitions;
        std::vector<std::string> records;  // after the fix
        std::vector<std::string> after;    // below Domains
    };
    const Case cases[] = {
        {"a key that holds only its zone goes",
         zoneKey("Domains\\b.c", zoneValue("dword:00000004")) + zoneKey("Domains\\x.y", zoneValue("dword:00000002")),
         domain("b.c", false),
         {"remove subkey Domains\\b.c | domaingroup0 | on | " + removes("b.c") + " | applied"},
         {"x.y", "  *=dword:2"}},
        {"the user's zone for one protocol stays",
         zoneKey("Domains\\b.c", zoneValue("dword:00000004") + "\"http\"=dword:00000002\n"),
         domain("b.c", false),
         {"remove value Domains\\b.c *=dword:4 | domaingroup0 | on | " + removes("b.c") + " | applied"},
         {"b.c", "  http=dword:2"}},
        {"a subdomain the user added stays",
         zoneKey("Domains\\b.c", zoneValue("dword:00000004")) + zoneKey("Domains\\b.c\\www", zoneValue("dword:00000002")),
         domain("b.c", false),
         {"remove value Domains\\b.c *=dword:4 | domaingroup0 | on | " + removes("b.c") + " | applied"},
         {"b.c", "b.c\\www", "  *=dword:2"}},
        {"without a zone of its own there is nothing to take out",
         zoneKey("Domains\\b.c", "\"https\"=dword:00000004\n") + zoneKey("Domains\\d.e\\a", zoneValue("dword:00000004")),
         domain("b.c", false) + domain("d.e", false),
         {},
         {"b.c", "  https=dword:4", "d.e", "d.e\\a", "  *=dword:4"}},
        {"a subdomain's key goes; its top key holds more",
         zoneKey("Domains\\b.c", "\"http\"=dword:00000002\n") + zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", false),
         {"remove subkey Domains\\b.c\\a | domaingroup0 | on | " + removes("a.b.c") + " | applied"},
         {"b.c", "  http=dword:2"}},
        {"a subdomain's key that holds more loses only its zone",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004") + "\"ftp\"=dword:00000004\n"),
         domain("a.b.c", false),
         {"remove value Domains\\b.c\\a *=dword:4 | domaingroup0 | on | " + removes("a.b.c") + " | applied"},
         {"b.c", "b.c\\a", "  ftp=dword:4"}},
        {"a top key left with nothing goes with it",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")) + zoneKey("Domains\\x.y"),
         domain("a.b.c", false),
         {"remove subkey Domains\\b.c | domaingroup0 | on | " + removes("a.b.c") + " | applied"},
         {"x.y"}},
        {"letter case does not count",
         zoneKey("Domains\\Example.COM\\WWW", zoneValue("dword:00000004")) +
             zoneKey("Domains\\Shop.Example", zoneValue("dword:00000004") + "\"http\"=dword:00000004\n"),
         domain("www.example.com", false) + domain("shop.example", false),
         {"remove value Domains\\Shop.Example *=dword:4 | domaingroup0 | on | " + removes("shop.example") + " | applied",
          "remove subkey Domains\\Example.COM | domaingroup1 | on | " + removes("www.example.com") + " | applied"},
         {"Shop.Example", "  http=dword:4"}},
        {"a child's addition and its parent's removal both hold",
         zoneKey("Domains\\b.c", zoneValue("dword:00000004")),
         domain("a.b.c", true) + domain("b.c", false),
         {"add subkey Domains\\b.c\\a | domaingroup0 | on | " + adds("a.b.c") + " | applied",
          "set value Domains\\b.c\\a *=dword:4 | domaingroup0 | on | " + adds("a.b.c") + " | applied",
          "remove value Domains\\b.c *=dword:4 | domaingroup1 | on | " + removes("b.c") + " | applied"},
         {"b.c", "b.c\\a", "  *=dword:4"}},
        {"a child's removal and its parent's addition both hold",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", false) + domain("b.c", true),
         {"remove subkey Domains\\b.c\\a | domaingroup0 | on | " + removes("a.b.c") + " | applied",
          "set value Domains\\b.c *=dword:4 | domaingroup1 | on | " + adds("b.c") + " | applied"},
         {"b.c", "  *=dword:4"}},
        {"a sibling's addition keeps the top key",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("a.b.c", false) + domain("x.b.c", true),
         {"remove subkey Domains\\b.c\\a | domaingroup0 | on | " + removes("a.b.c") + " | applied",
          "add subkey Domains\\b.c\\x | domaingroup1 | on | " + adds("x.b.c") + " | applied",
          "set value Domains\\b.c\\x *=dword:4 | domaingroup1 | on | " + adds("x.b.c") + " | applied"},
         {"b.c", "b.c\\x", "  *=dword:4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        const FixOutcome outcome = fixEverythingWith<RestrictedDomainPlugin>(
            "<restricted-domains-plugin>" + c.definitions + "</restricted-domains-plugin>");
        EXPECT_EQ(outcome.records, c.records);
        EXPECT_EQ(outcome.problems, std::vector<std::string>{});
        EXPECT_EQ(zoneMapBelow("Domains"), c.after);
    }
}

TEST_F(RestrictedDomains, ATakenOutZoneIsLoggedWithTheZoneItHeld) {
    useZoneMap(zoneKey("Domains\\b.c", zoneValue("dword:00000004") + "\"http\"=dword:00000002\n"));
    const FixOutcome outcome =
        fixEverythingWith<RestrictedDomainPlugin>("<restricted-domains-plugin>" + domain("b.c", false) + "</restricted-domains-plugin>");
    EXPECT_EQ(outcome.log, "Registry modifications\n----------------------\nRemoved registry value: HKCU\\" +
                               std::string(DOMAINS_ROOT) + "\\b.c,*=4");
}

TEST_F(RestrictedDomains, ReportsItsProgressOnceAndDoesNothingWithoutDefinitions) {
    useZoneMap(zoneKey("Domains"));
    RestrictedDomainPlugin plugin(registry);
    ScanResults results;
    plugin.scan(results, &progress);
    EXPECT_TRUE(progress.texts.empty());
    EXPECT_TRUE(results.registryChanges.empty() && results.scanProblems.empty());

    scan(domain("a.b", true) + domain("c.d", true));
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Scanning the domains in the zone map."});
}

TEST_F(RestrictedDomains, AZoneThatCannotBeReadIsAProblemAndTheDomainIsStillSuggested) {
    useZoneMap(zoneKey("Domains\\b.c", "\"*\"=\"4\"\n") + zoneKey("Domains\\d.e", "\"*\"=hex:04,00,00,00\n") +
               zoneKey("Domains\\f.g\\a", zoneValue("dword:00000002")));
    registry.denyAccess(ROOT_CURRENT_USER, std::string(DOMAINS_ROOT) + "\\f.g\\a");
    const ScanResults results = scan(domain("b.c", true) + domain("d.e", true) + domain("a.f.g", true) +
                                     domain("h.i", true));
    EXPECT_EQ(render(results.registryChanges),
              (std::vector<std::string>{
                  "set value Domains\\f.g\\a *=dword:4 | domaingroup0 | off | "
                  "Adds the a.f.g domain to the restricted zone",
                  "set value Domains\\b.c *=dword:4 | domaingroup1 | off | Adds the b.c domain to the restricted zone",
                  "set value Domains\\d.e *=dword:4 | domaingroup2 | off | Adds the d.e domain to the restricted zone",
                  "add subkey Domains\\h.i | domaingroup3 | off | Adds the h.i domain to the restricted zone",
                  "set value Domains\\h.i *=dword:4 | domaingroup3 | off | Adds the h.i domain to the restricted zone"}));
    const std::string notDword = "Tried to get registry DWORD data from a non DWORD type.";
    EXPECT_EQ(results.scanProblems,
              (std::vector<std::string>{openingFailure("access is denied", "\\f.g\\a", ACCESS_DENIED), notDword, notDword}));
}

TEST_F(RestrictedDomains, AZoneMapThatCannotBeListedEndsTheScanWithOneProblem) {
    struct Case {
        const char* name;
        std::string zoneMap;
        std::string denied;  // below Domains
        std::string problem;
    };
    const Case cases[] = {
        {"no Domains key (a new profile)", zoneKey("Ranges"), "",
         openingFailure("the key doesn't exist", "", FILE_NOT_FOUND)},
        {"a key of the zone map cannot be opened", zoneKey("Domains\\a.b") + zoneKey("Domains\\b.c\\x"), "\\b.c",
         openingFailure("access is denied", "\\b.c", ACCESS_DENIED)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useZoneMap(c.zoneMap);
        if (!c.denied.empty()) registry.denyAccess(ROOT_CURRENT_USER, DOMAINS_ROOT + c.denied);
        const ScanResults results = scan(domain("a.b", false) + domain("q.r", true));
        EXPECT_TRUE(results.registryChanges.empty());
        EXPECT_EQ(results.scanProblems, std::vector<std::string>{c.problem});
    }
}

// The memory registry, except that a key opened once before is refused from then
// on: a key changed by someone else between reading the list and the entries.
class RefusingSecondOpen : public windows::registry::RegistryService {
public:
    RefusingSecondOpen(RegistryService& registry, std::string refused) : _registry(registry), _refused(std::move(refused)) {}
    std::unique_ptr<windows::registry::RegistryKey> openKey(std::uint32_t root, const std::string& subkey,
                                                            std::uint32_t access) override {
        if (subkey == _refused && _opened++ > 0)
            throw windows::registry::RegistryAccessDeniedException("Access to " + subkey + " is refused.");
        return _registry.openKey(root, subkey, access);
    }
    std::unique_ptr<windows::registry::RegistryReader> createReader(windows::registry::RegistryKey* key) override {
        return _registry.createReader(key);
    }
    std::unique_ptr<windows::registry::RegistryWriter> createWriter(windows::registry::RegistryKey* key) override {
        return _registry.createWriter(key);
    }

private:
    RegistryService& _registry;
    std::string _refused;
    int _opened = 0;
};

TEST_F(RestrictedDomains, AFailureOutsideTheZoneCheckEndsTheScanAndKeepsTheRecordsMadeBefore) {
    useZoneMap(zoneKey("Domains\\b.com\\www") + zoneKey("Domains\\b.com\\x"));
    RefusingSecondOpen refusing(registry, domainKey("b.com"));
    RestrictedDomainPlugin plugin(refusing);
    plugin.loadDefinitions(definitions("<restricted-domains-plugin>" + domain("a.com", true) + domain("b.com", false) +
                                       domain("c.com", true) + "</restricted-domains-plugin>"));
    ScanResults results;
    plugin.scan(results, &progress);
    EXPECT_EQ(render(results.registryChanges),
              (std::vector<std::string>{
                  "add subkey Domains\\a.com | domaingroup0 | off | Adds the a.com domain to the restricted zone",
                  "set value Domains\\a.com *=dword:4 | domaingroup0 | off | Adds the a.com domain to the restricted zone"}));
    EXPECT_EQ(results.scanProblems, std::vector<std::string>{"Access to " + domainKey("b.com") + " is refused."});
}

}  // namespace
}  // namespace zone_testing
