#pragma once
// The registry scanner's section of the definitions: the trees to walk, the
// whitelists, and the texts its findings are described with.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/plugins/PathWhitelist.h"
#include "engine/plugins/RegistryErrorEntry.h"

namespace com::quorvex::products::tamblix {

struct RegistryScanKey {
    std::uint32_t root = 0;
    std::string subkey;
};

struct RegistryScanDefinitions {
    std::vector<RegistryScanKey> scanKeys;
    // Full key names (long root name, "\", path) skipped with everything below them.
    std::set<std::string> keyWhitelist;
    // A missing path that matches one of its patterns is no finding.
    PathWhitelist pathWhitelist;
    // Key prefix -> the group its findings are shown under.
    std::map<std::string, RegistryErrorGroup> groups;
    std::string productName;
    std::string descDataPointing;
    std::string descValuePointing;
    std::string descDefaultValue;
    std::string defaultHeading;

    // Forgets the scan keys, whitelists and groups; the product name, the
    // templates and the default heading keep their last values.
    void clear();
};

// Adds the scan-registry-for-errors-plugin section of one definitions document
// (nothing when the document has none). Any failure throws TamblixEngineException
// "An error occured when trying to load the ScanRegistry plugin.\n\n" + its text;
// what was added before the failure stays.
void loadRegistryScanDefinitions(const std::string& xmlText, RegistryScanDefinitions& definitions);

}  // namespace com::quorvex::products::tamblix
