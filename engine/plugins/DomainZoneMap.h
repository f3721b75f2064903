#pragma once
// The domain part of the browser's per-user zone map and the suggestions that
// bring one listed domain where the definitions want it. A domain sub.main (main
// being its last two labels) lives in the key Domains\main\sub, a domain with at
// most one dot in Domains\main; the DWORD value "*" of that key is its zone for
// every protocol, 4 the restricted zone.
//
// The decisions are functions over what the scan read of the zone map, so they
// hold without a registry.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/plugins/RegistryModification.h"
#include "engine/plugins/ZoneDefinition.h"

namespace com::quorvex::products::tamblix {

// Below HKEY_CURRENT_USER.
extern const char* const DOMAINS_ROOT;

struct DomainParts {
    std::string sub;   // empty for a domain with at most one dot
    std::string main;  // the last two labels, or the whole domain
};

// The key of a place in the zone map: Domains\top, or Domains\top\sub.
std::string domainKey(const std::string& top, const std::string& sub = "");

// a.b.c.d gives (a.b, c.d); b.c gives ("", b.c); localhost gives ("", localhost).
DomainParts splitDomain(const std::string& domain);

// Where the zone map holds a domain: a key right below Domains and, unless
// empty, one of its subkeys.
struct DomainLocation {
    std::string top;
    std::string sub;
    bool operator==(const DomainLocation&) const = default;
};

// The Domains key as listed: each key right below it with the names of its
// subkeys, in enumeration order.
using DomainKeyListing = std::vector<std::pair<std::string, std::vector<std::string>>>;

// The domains the zone map holds, compared by exact text: every name right below
// Domains with exactly one dot, and s.t for every subkey s of any such key t. A
// domain held in two places is taken from the one its own labels name (t with
// exactly one dot), else from the first in enumeration order.
std::map<std::string, DomainLocation> existingDomains(const DomainKeyListing& listing);

// Whether the key that a domain's main part names is right below Domains. Only a
// name with exactly one dot can be a main key, so a domain without a dot never has one.
bool mainKeyExists(const std::string& domain, const DomainKeyListing& listing);

// What the scan read for one listed domain.
struct DomainEntryState {
    // Where the domain is; none when the zone map does not hold it.
    std::optional<DomainLocation> location;
    // Not held: the key its main part names is already right below Domains.
    bool mainExists = false;
    // Held: its key has "*" = 4.
    bool restricted = false;
    // Held: its top key's number of subkeys and whether that key has a "*" of its own.
    std::size_t topSubkeys = 0;
    bool topHasZone = false;
};

// The records that bring the domain where its definition wants it, each with
// root HKEY_CURRENT_USER, the definition's info and recommend, and the group.
std::vector<RegistryModification> domainRecords(const DomainDefinition& definition, const DomainEntryState& state,
                                                const std::string& group);

}  // namespace com::quorvex::products::tamblix
