#include "engine/plugins/ZoneRecords.h"

#include "engine/plugins/ZoneDefinition.h"
#include "platform/registry/RegistryConstants.h"

namespace com::quorvex::products::tamblix {

namespace {

RegistryModification record(const ZoneSuggestion& suggestion, const std::string& key, int action,
                            const std::string& valueName = "", ModificationValue data = {}) {
    // Built in one piece, so that only the record's own state takes an id.
    return RegistryModification{.root = windows::registry::ROOT_CURRENT_USER,
                                .subkey = key,
                                .action = action,
                                .valueName = valueName,
                                .data = std::move(data),
                                .description = suggestion.info,
                                .group = suggestion.group,
                                .state = ModificationState(suggestion.recommend)};
}

}  // namespace

RegistryModification addSubkeyRecord(const ZoneSuggestion& suggestion, const std::string& key) {
    return record(suggestion, key, RegistryModification::ADD_SUBKEY);
}

RegistryModification removeSubkeyRecord(const ZoneSuggestion& suggestion, const std::string& key) {
    return record(suggestion, key, RegistryModification::REMOVE_SUBKEY);
}

RegistryModification removeZoneRecord(const ZoneSuggestion& suggestion, const std::string& key,
                                      const ModificationValue& zone) {
    return record(suggestion, key, RegistryModification::REMOVE_VALUE, "*", zone);
}

RegistryModification restrictRecord(const ZoneSuggestion& suggestion, const std::string& key) {
    return record(suggestion, key, RegistryModification::SET_VALUE, "*",
                  ModificationValue{.type = ModificationValue::TYPE_DWORD, .number = RESTRICTED_ZONE, .text = ""});
}

RegistryModification setTextRecord(const ZoneSuggestion& suggestion, const std::string& key, const std::string& name,
                                   const std::string& text) {
    return record(suggestion, key, RegistryModification::SET_VALUE, name,
                  ModificationValue{.type = ModificationValue::TYPE_STRING, .number = 0, .text = text});
}

}  // namespace com::quorvex::products::tamblix
