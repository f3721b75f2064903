#pragma once
// The domain part of the browser's per-user zone map and the suggestions that
// bring the listed domains where the definitions want them. A domain sub.main
// (main being its last two labels) lives in the key Domains\main\sub, a domain
// with at most one dot in Domains\main; the DWORD value "*" of that key is its
// zone for every protocol, 4 the restricted zone. The same key may hold the
// user's zones for single protocols ("http", "https") and the keys of
// subdomains.
//
// The decisions are functions over what the scan read of the zone map, so they
// hold without a registry.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/plugins/RegistryModification.h"
#include "engine/plugins/ZoneDefinition.h"
#include "engine/plugins/ZoneKey.h"

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

// The domains the zone map holds, keyed by registryNameFold of the domain (names
// compare without regard to case, as the registry compares them): every name
// right below Domains with exactly one dot, and s.t for every subkey s of any
// such key t. A domain held in two places is taken from the one its own labels
// name (t with exactly one dot), else from the first in enumeration order.
std::map<std::string, DomainLocation> existingDomains(const DomainKeyListing& listing);

// The name, as listed, of the key right below Domains that a domain's main part
// names; none when there is none. Only a name with exactly one dot can be a main
// key, so a domain without a dot never has one.
std::optional<std::string> mainKeyName(const std::string& domain, const DomainKeyListing& listing);

// What the scan read for one listed domain.
struct DomainEntryState {
    // Where the domain is; none when the zone map does not hold it.
    std::optional<DomainLocation> location;
    // Not held: the key its main part names, when that is already right below Domains.
    std::optional<std::string> mainKey;
    // Held: its key has "*" = 4.
    bool restricted = false;
    // Held and to leave: its own key, and its top key when the own key is below it.
    ZoneKeyContents own;
    ZoneKeyContents top;
};

struct DomainEntry {
    DomainDefinition definition;
    DomainEntryState state;
};

// The records that bring every listed domain where its definition wants it, in
// list order, each with root HKEY_CURRENT_USER, the definition's info and
// recommend, and group "domaingroup" + the entry's place in the list.
//
// A removal takes out only what names its domain: the domain's own key when it
// holds nothing but its "*", else only that "*" (nothing when there is none);
// the top key goes instead of the own key below it only when nothing else is
// left in it. The records are decided together: a key that an addition of the
// same list writes into, or below, is never removed, so that applying both
// gives what both say. A removal never counts on another removal being applied,
// since each suggestion is ticked on its own.
std::vector<RegistryModification> domainRecords(const std::vector<DomainEntry>& entries);

}  // namespace com::quorvex::products::tamblix
