#include "app/pages/RegistryKeyText.h"

#include <vector>

#include "platform/util/StringHelper.h"
#include "platform/util/Utf8.h"

namespace com::quorvex::products::tamblix::pages {

namespace {

constexpr std::size_t HEAD_CHARACTERS = 9;
constexpr std::size_t TAIL_CHARACTERS = 32;

struct RootAbbreviation {
    const char* longForm;
    const char* shortForm;
};

constexpr RootAbbreviation ROOT_ABBREVIATIONS[] = {
    {"HKEY_CLASSES_ROOT\\", "HKCR\\"},  {"HKEY_CURRENT_CONFIG\\", "HKCC\\"}, {"HKEY_CURRENT_USER\\", "HKCU\\"},
    {"HKEY_LOCAL_MACHINE\\", "HKLM\\"}, {"HKEY_USERS\\", "HKUS\\"},          {"HKEY_PERFORMANCE_DATA\\", "HKPD\\"},
    {"HKEY_DYN_DATA\\", "HKDD\\"},
};

// Where each character starts, in bytes.
std::vector<std::size_t> characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size();) {
        starts.push_back(at);
        char32_t codePoint = 0;
        const std::size_t length = util::decodeUtf8(text, at, codePoint);
        at += length != 0 ? length : 1;
    }
    return starts;
}

}  // namespace

std::string registryKeyDisplayText(const std::string& fullKeyText) {
    std::string text = fullKeyText;
    for (const auto& root : ROOT_ABBREVIATIONS) util::StringHelper::replaceAll(text, root.longForm, root.shortForm);
    const std::vector<std::size_t> starts = characterStarts(text);
    if (starts.size() < HEAD_CHARACTERS + TAIL_CHARACTERS) return text;
    const std::size_t headEnd = starts[HEAD_CHARACTERS];
    const std::size_t tailStart = starts[starts.size() - TAIL_CHARACTERS];
    return text.substr(0, headEnd) + " .. " + text.substr(tailStart);
}

}  // namespace com::quorvex::products::tamblix::pages
