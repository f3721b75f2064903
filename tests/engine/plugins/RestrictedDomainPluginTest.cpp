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
        {"to leave: a main domain goes with everything below it, whatever its zone",
         zoneKey("Domains\\b.c", zoneValue("dword:00000001")) + zoneKey("Domains\\b.c\\a") + zoneKey("Domains\\b.c\\d"),
         domain("b.c", false),
         {"remove subkey Domains\\b.c | domaingroup0 | off | Removes the b.c domain from the restricted zone"}},
        {"to leave and not there", zoneKey("Domains\\x.y"), domain("a.b.c", false) + domain("b.c", false), {}},
        {"a name without a dot never counts as present",
         zoneKey("Domains\\localhost", zoneValue("dword:00000004")),
         domain("localhost", true) + domain("intranet", false),
         {"add subkey Domains\\localhost | domaingroup1 | off | Adds the localhost domain to the restricted zone",
          "set value Domains\\localhost *=dword:4 | domaingroup1 | off | Adds the localhost domain to the restricted zone"}},
        {"letter case counts when comparing with key names",
         zoneKey("Domains\\b.c\\a", zoneValue("dword:00000004")),
         domain("A.b.c", true) + domain("a.B.c", false),
         {"add subkey Domains\\b.c\\A | domaingroup0 | off | Adds the A.b.c domain to the restricted zone",
          "set value Domains\\b.c\\A *=dword:4 | domaingroup0 | off | Adds the A.b.c domain to the restricted zone"}},
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
