// Linux only: builds the environment of the prefix's programs from its registry.
#include "platform/registry/prefix/PrefixEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/failure/Exception.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/KeyResolver.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::prefix {

namespace {

struct TextValue {
    std::string name;
    std::string text;
    bool expandable = false;
};

// The string values of a key (cut at their first zero), none when it cannot be read.
std::vector<TextValue> stringValues(tree::RegistryHives& hives, std::uint32_t root, std::string_view subkey) {
    std::vector<TextValue> values;
    try {
        const tree::Resolution found = tree::resolveKey(hives, root, subkey, false);
        if (found.code != 0 || !found.missing.empty()) return values;
        const tree::RegistryNode* node = tree::nodeAt(hives, found.found);
        if (!node) return values;
        for (const auto& value : node->values()) {
            if (value.type != TYPE_SZ && value.type != TYPE_EXPAND_SZ) continue;
            const std::string text = tree::narrowData(value.type, value.data);
            values.push_back({tree::utf16ToUtf8(value.name), std::string(tree::cText(text)), value.type == TYPE_EXPAND_SZ});
        }
    } catch (const exceptions::Exception&) {
        // A hive that cannot be read contributes nothing.
    }
    return values;
}

std::optional<std::string> stringValue(tree::RegistryHives& hives, std::uint32_t root, std::string_view subkey,
                                       const std::string& name, const info::EnvironmentVariables& variables) {
    for (const auto& value : stringValues(hives, root, subkey))
        if (tree::sameName(tree::utf8ToUtf16(value.name), tree::utf8ToUtf16(name)))
            return value.expandable ? info::expandVariables(value.text, variables.lookup()) : value.text;
    return std::nullopt;
}

void setFromKey(tree::RegistryHives& hives, std::uint32_t root, std::string_view subkey,
                info::EnvironmentVariables& variables, bool appendPath) {
    const auto values = stringValues(hives, root, subkey);
    const auto set = [&](const TextValue& value, const std::string& text) {
        const auto path = variables.get("PATH");
        if (appendPath && path && tree::sameName(tree::utf8ToUtf16(value.name), u"PATH"))
            variables.set(value.name, *path + ";" + text);
        else
            variables.set(value.name, text);
    };
    // Plain values first, so that the expandable ones can refer to them.
    for (const auto& value : values)
        if (!value.expandable) set(value, value.text);
    for (const auto& value : values)
        if (value.expandable) set(value, info::expandVariables(value.text, variables.lookup()));
}

std::string lastComponent(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string prefixUserName(const std::filesystem::path& prefix) {
    std::vector<std::string> users;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(prefix / "drive_c" / "users", ignored)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(ignored) && !tree::sameName(tree::utf8ToUtf16(name), u"Public")) users.push_back(name);
    }
    if (users.size() == 1) return users.front();
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_name) return account->pw_name;
    return "user";
}

const info::EnvironmentVariables& PrefixEnvironment::variables() {
    const std::uint64_t machine = _hives.hive(tree::HiveId::MACHINE).version();
    const std::uint64_t user = _hives.hive(tree::HiveId::USER).version();
    if (!_built || machine != _machineVersion || user != _userVersion) {
        _build();
        _built = true;
        _machineVersion = _hives.hive(tree::HiveId::MACHINE).version();
        _userVersion = _hives.hive(tree::HiveId::USER).version();
    }
    return _variables;
}

std::optional<std::string> PrefixEnvironment::lookup(const std::string& name) { return variables().get(name); }

void PrefixEnvironment::_build() {
    info::EnvironmentVariables variables;
    const auto machineText = [&](std::string_view subkey, const std::string& name) {
        return stringValue(_hives, ROOT_LOCAL_MACHINE, subkey, name, variables);
    };
    const std::string systemRoot =
        machineText("Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot").value_or("C:\\windows");
    variables.set("SystemRoot", systemRoot);
    variables.set("windir", systemRoot);
    variables.set("SystemDrive", systemRoot.size() >= 2 && systemRoot[1] == ':' ? systemRoot.substr(0, 2) : "C:");

    const std::string_view currentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
    const std::string programFiles = machineText(currentVersion, "ProgramFilesDir").value_or("C:\\Program Files");
    const std::string commonFiles = machineText(currentVersion, "CommonFilesDir").value_or(programFiles + "\\Common Files");
    variables.set("ProgramFiles", programFiles);
    variables.set("CommonProgramFiles", commonFiles);
    if (const auto x86 = machineText(currentVersion, "ProgramFilesDir (x86)")) {
        variables.set("ProgramFiles(x86)", *x86);
        variables.set("ProgramW6432", programFiles);
        variables.set("CommonProgramW6432", commonFiles);
    }
    if (const auto x86 = machineText(currentVersion, "CommonFilesDir (x86)")) variables.set("CommonProgramFiles(x86)", *x86);

    const std::string_view profiles = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    const std::string programData = machineText(profiles, "ProgramData").value_or("C:\\ProgramData");
    variables.set("ProgramData", programData);
    variables.set("ALLUSERSPROFILE", programData);
    variables.set("PUBLIC", machineText(profiles, "Public").value_or("C:\\users\\Public"));

    // The user's profile: nothing overrides it.
    const std::string userProfile =
        machineText(std::string(profiles) + "\\" + tree::utf16ToUtf8(tree::USER_SID), "ProfileImagePath")
            .value_or("C:\\users\\" + prefixUserName(_prefix));
    variables.set("USERPROFILE", userProfile);
    const std::string_view shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const auto userText = [&](std::string_view subkey, const std::string& name) {
        return stringValue(_hives, ROOT_CURRENT_USER, subkey, name, variables);
    };
    const std::vector<std::pair<std::string, std::string>> profileVariables = {
        {"USERPROFILE", userProfile},
        {"USERNAME", lastComponent(userProfile)},
        {"HOMEDRIVE", userProfile.substr(0, 2)},
        {"HOMEPATH", userProfile.size() > 2 ? userProfile.substr(2) : "\\"},
        {"APPDATA", userText(shellFolders, "AppData").value_or(userProfile + "\\AppData\\Roaming")},
        {"LOCALAPPDATA", userText(shellFolders, "Local AppData").value_or(userProfile + "\\AppData\\Local")},
    };
    const auto setProfile = [&] {
        for (const auto& [name, value] : profileVariables) variables.set(name, value);
    };
    setProfile();
    setFromKey(_hives, ROOT_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", variables,
               false);
    setProfile();
    setFromKey(_hives, ROOT_CURRENT_USER, "Environment", variables, true);
    setProfile();
    _variables = std::move(variables);
}

}  // namespace windows::registry::prefix
