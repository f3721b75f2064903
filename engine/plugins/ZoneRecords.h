#pragma once
// The records the zone plugins suggest: all below HKEY_CURRENT_USER, with the
// description, preselection and group of the entry they serve.

#include <string>

#include "engine/plugins/RegistryModification.h"

namespace com::quorvex::products::tamblix {

struct ZoneSuggestion {
    const std::string& info;
    bool recommend;
    const std::string& group;
};

RegistryModification addSubkeyRecord(const ZoneSuggestion& suggestion, const std::string& key);
RegistryModification removeSubkeyRecord(const ZoneSuggestion& suggestion, const std::string& key);
// Removes the key's "*"; data is the zone it held, for the log.
RegistryModification removeZoneRecord(const ZoneSuggestion& suggestion, const std::string& key,
                                      const ModificationValue& zone);
// Sets the DWORD "*" of the key to the restricted zone.
RegistryModification restrictRecord(const ZoneSuggestion& suggestion, const std::string& key);
RegistryModification setTextRecord(const ZoneSuggestion& suggestion, const std::string& key, const std::string& name,
                                   const std::string& text);

}  // namespace com::quorvex::products::tamblix
