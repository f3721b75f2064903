#include "engine/plugins/ZoneKey.h"

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/registry/RegistryReader.h"
#include "platform/registry/RegistryService.h"

namespace com::quorvex::products::tamblix {

using namespace windows::registry;

namespace {

// The zone as the fix log shows the removed value.
ModificationValue zoneOf(RegistryReader& reader) {
    try {
        const RegistryData data = reader.readValue("*");
        if (data.isDword()) return {.type = ModificationValue::TYPE_DWORD, .number = data.getDword(), .text = ""};
        return {.type = ModificationValue::TYPE_STRING, .number = 0, .text = data.toString()};
    } catch (const RegistryUnexpectedTypeException&) {
        // A type the layer does not convert: the value still goes, shown without data.
        return {};
    }
}

}  // namespace

bool holdsOnly(const ZoneKeyContents& key, std::initializer_list<const char*> names) {
    if (key.subkeys != 0) return false;
    for (const std::string& value : key.valueNames) {
        bool named = false;
        for (const char* name : names) named = named || registryNameFold(value) == registryNameFold(name);
        if (!named) return false;
    }
    return true;
}

ZoneKeyContents readZoneKey(RegistryReader& reader) {
    ZoneKeyContents contents;
    const std::list<std::string> names = reader.valueNames();
    contents.valueNames.assign(names.begin(), names.end());
    contents.subkeys = reader.enumSubkeys().size();
    if (reader.valueExists("*")) contents.zone = zoneOf(reader);
    return contents;
}

ZoneKeyContents readZoneKey(RegistryService& registry, const std::string& key) {
    const auto open = registry.openKey(ROOT_CURRENT_USER, key, ACCESS_READ);
    return readZoneKey(*registry.createReader(open.get()));
}

}  // namespace com::quorvex::products::tamblix
