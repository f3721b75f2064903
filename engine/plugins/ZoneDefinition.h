#pragma once
// One entry of the restricted-zone lists in the definitions: a domain or an
// address range that belongs in the browser's restricted zone (add) or must
// leave the zone map (not add).

#include <cstdint>
#include <map>
#include <string>

namespace com::quorvex::products::tamblix {

// The zone number of the restricted sites zone in a zone map value "*".
constexpr std::uint32_t RESTRICTED_ZONE = 4;

struct DomainDefinition {
    std::string domain;
    bool add = false;
    // Description shown with the suggestion; may carry mark-up of the definitions.
    std::string info;
    bool recommend = false;
};

struct RangeDefinition {
    std::string range;
    bool add = false;
    std::string info;
    bool recommend = false;
};

// The entries of every "domain" (or "range") element the xpath selects, added to
// entries in document order: a later entry of the same text, in any letter case,
// replaces an earlier one. An element without its "add" attribute, or with a boolean attribute that is
// no boolean, fails with the XML layer's XMLException and adds nothing; so does a
// text that does not parse.
void loadDomainDefinitions(const std::string& xmlText, std::map<std::string, DomainDefinition>& entries);
void loadRangeDefinitions(const std::string& xmlText, std::map<std::string, RangeDefinition>& entries);

// The info text of an entry that brings none, e.g. "Adds the example.com domain
// to the restricted zone"; the entry's text is escaped for the page.
std::string defaultZoneInfo(const std::string& text, bool add, const std::string& kind);

}  // namespace com::quorvex::products::tamblix
