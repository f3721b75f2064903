#include "platform/registry/prefix/PrefixRegistryAnswers.h"

#include "platform/failure/Exception.h"
#include "platform/registry/RegistryConstants.h"

namespace windows::registry::prefix {

namespace {

// The drive types of getDriveType.
constexpr int DRIVE_REMOVABLE = 2;
constexpr int DRIVE_FIXED = 3;
constexpr int DRIVE_REMOTE = 4;
constexpr int DRIVE_CDROM = 5;
constexpr int DRIVE_RAMDISK = 6;

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::optional<int> typeNamed(const std::string& name) {
    static const std::pair<const char*, int> TYPES[] = {
        {"hd", DRIVE_FIXED},      {"floppy", DRIVE_REMOVABLE}, {"cdrom", DRIVE_CDROM},
        {"network", DRIVE_REMOTE}, {"ramdisk", DRIVE_RAMDISK},
    };
    const std::string lower = lowerAscii(name);
    for (const auto& [text, type] : TYPES)
        if (lower == text) return type;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PrefixRegistryAnswers::_text(std::uint32_t root, const std::string& subkey,
                                                        const std::string& name) const {
    try {
        const auto key = _registry.openKey(root, subkey, ACCESS_READ);
        const auto reader = _registry.createReader(key.get());
        if (!reader->valueExists(name)) return std::nullopt;
        const RegistryData data = reader->readValue(name);
        if (data.isString()) return data.getString();
    } catch (const exceptions::Exception&) {
        // Missing keys, wrong types and unreadable files leave the answer to the file layer.
    }
    return std::nullopt;
}

std::optional<int> PrefixRegistryAnswers::driveType(char letter) const {
    const char lower = lowerAscii(std::string(1, letter))[0];
    if (lower < 'a' || lower > 'z') return std::nullopt;
    if (const auto text = _text(ROOT_LOCAL_MACHINE, "Software\\Wine\\Drives", std::string(1, lower) + ":"))
        if (const auto type = typeNamed(*text)) return type;
    if (lower == 'a' || lower == 'b') return DRIVE_REMOVABLE;
    return std::nullopt;
}

std::optional<std::string> PrefixRegistryAnswers::documentsFolder() const {
    const auto folder = _text(ROOT_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                              "Personal");
    if (folder && !folder->empty()) return folder;
    return std::nullopt;
}

}  // namespace windows::registry::prefix
