#include "engine/plugins/RegistryErrorRecord.h"

#include "engine/plugins/HtmlText.h"
#include "platform/registry/RegistryKeyNames.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

namespace {

using util::StringHelper;

const std::string& heading(const std::string& keyText, const RegistryScanDefinitions& definitions) {
    const std::string key = StringHelper::toLower(keyText + "\\");
    const std::string* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto& [prefix, group] : definitions.groups) {
        const std::string candidate = StringHelper::toLower(prefix + "\\");
        if (key.compare(0, candidate.size(), candidate) != 0) continue;
        if (!best || prefix.size() > bestLength) {
            best = &group.heading;
            bestLength = prefix.size();
        }
    }
    return best ? *best : definitions.defaultHeading;
}

const std::string& descriptionTemplate(const RegistryErrorEntry& entry, const RegistryScanDefinitions& definitions) {
    if (entry.valueName.empty()) return definitions.descDefaultValue;
    return entry.namePoints ? definitions.descValuePointing : definitions.descDataPointing;
}

std::string bold(const std::string& text) { return "<b>" + escapeHtml(text) + "</b>"; }

// One pass over the template, so that a placeholder inside a filled-in text (a
// key named "%FILE%") stays as it is.
std::string fill(const std::string& text, const std::string& key, const std::string& value, const std::string& file) {
    const std::pair<std::string, const std::string*> placeholders[] = {
        {"%KEY%", &key}, {"%VALUE%", &value}, {"%FILE%", &file}};
    std::string filled;
    std::size_t position = 0;
    while (position < text.size()) {
        bool replaced = false;
        for (const auto& [placeholder, replacement] : placeholders) {
            if (text.compare(position, placeholder.size(), placeholder) == 0) {
                filled += *replacement;
                position += placeholder.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) filled += text[position++];
    }
    return filled;
}

}  // namespace

std::string registryErrorKeyText(const RegistryErrorEntry& entry) {
    return windows::registry::RegistryKeyNames(false).keyToString(entry.root) + "\\" + entry.subkey;
}

std::string registryErrorDescription(const RegistryErrorEntry& entry, const RegistryScanDefinitions& definitions) {
    const std::string keyText = registryErrorKeyText(entry);
    const std::string file = entry.namePoints ? entry.valueName : entry.data.getString();
    return "<h3>" + heading(keyText, definitions) + "</h3>" +
           fill(descriptionTemplate(entry, definitions), bold(keyText), bold(entry.valueName), bold(file));
}

RegistryModification makeRegistryErrorRecord(const RegistryErrorEntry& entry,
                                             const RegistryScanDefinitions& definitions, std::uint32_t group) {
    RegistryModification record;
    record.root = entry.root;
    record.subkey = entry.subkey;
    record.action = RegistryModification::REMOVE_VALUE;
    record.valueName = entry.valueName;
    record.data.type = ModificationValue::TYPE_STRING;
    if (entry.data.isString()) record.data.text = entry.data.getString();
    record.description = registryErrorDescription(entry, definitions);
    record.group = std::to_string(group);
    record.state.selected = false;
    return record;
}

}  // namespace com::quorvex::products::tamblix
