#include "platform/registry/tree/KeyResolver.h"

#include "platform/failure/LastError.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

using platform::winerror::BAD_PATHNAME;
using platform::winerror::FILE_NOT_FOUND;
using platform::winerror::INVALID_HANDLE;

// More hops than any sane chain of links; a loop ends here as a missing key.
constexpr int MAXIMUM_LINK_HOPS = 32;

using Names = std::vector<std::u16string>;

Names namesOf(std::initializer_list<const char16_t*> names) { return Names(names.begin(), names.end()); }

// The hive and names a link's target path names, false when it names no hive.
bool linkTarget(const RegistryNode& link, HiveId& hive, Names& names) {
    const StoredValue* value = link.findValue(u"SymbolicLinkValue");
    if (!value || value->type != TYPE_LINK) return false;
    std::u16string target = unitsOfBytes(value->data.data(), value->data.size());
    while (!target.empty() && target.back() == u'\0') target.pop_back();
    Names parts;
    std::size_t start = 0;
    while (start <= target.size()) {
        std::size_t end = target.find(u'\\', start);
        if (end == std::u16string::npos) end = target.size();
        parts.push_back(target.substr(start, end - start));
        start = end + 1;
    }
    if (parts.size() < 3 || !parts[0].empty() || !sameName(parts[1], u"Registry")) return false;
    std::size_t first = 3;
    if (sameName(parts[2], u"Machine")) {
        hive = HiveId::MACHINE;
    } else if (sameName(parts[2], u"User") && parts.size() >= 4 && sameName(parts[3], USER_SID)) {
        hive = HiveId::USER;
        first = 4;
    } else if (sameName(parts[2], u"User") && parts.size() >= 4 && sameName(parts[3], DEFAULT_USER_NAME)) {
        hive = HiveId::DEFAULT_USER;
        first = 4;
    } else {
        return false;
    }
    names.clear();
    for (std::size_t i = first; i < parts.size(); ++i)
        if (!parts[i].empty()) names.push_back(parts[i]);
    return true;
}

Resolution walk(RegistryHives& hives, HiveId hive, Names names, bool followLast, bool refresh, int hops) {
    Resolution result;
    if (refresh) hives.hive(hive).refresh();
    RegistryNode* node = &hives.hive(hive).root();
    result.found.hive = hive;
    for (std::size_t i = 0; i < names.size(); ++i) {
        RegistryNode* child = node->findSubkey(names[i]);
        if (!child) {
            result.missing.assign(names.begin() + static_cast<std::ptrdiff_t>(i), names.end());
            return result;
        }
        if (child->attributes().isLink && (i + 1 < names.size() || followLast)) {
            HiveId targetHive;
            Names target;
            if (++hops > MAXIMUM_LINK_HOPS || !linkTarget(*child, targetHive, target)) {
                result.code = FILE_NOT_FOUND;
                return result;
            }
            target.insert(target.end(), names.begin() + static_cast<std::ptrdiff_t>(i) + 1, names.end());
            return walk(hives, targetHive, std::move(target), followLast, refresh, hops);
        }
        result.found.path.push_back(child->name());
        node = child;
    }
    return result;
}

// HKEY_USERS: its names are the user hives.
Resolution resolveUsers(RegistryHives& hives, const Names& names, bool followLast, bool refresh) {
    Resolution result;
    if (names.empty()) {
        result.found.usersRoot = true;
        return result;
    }
    HiveId hive;
    if (sameName(names[0], USER_SID)) {
        hive = HiveId::USER;
    } else if (sameName(names[0], DEFAULT_USER_NAME)) {
        hive = HiveId::DEFAULT_USER;
    } else {
        result.found.usersRoot = true;
        result.missing = names;
        return result;
    }
    return walk(hives, hive, Names(names.begin() + 1, names.end()), followLast, refresh, 0);
}

}  // namespace

int splitKeyPath(std::string_view subkey, std::vector<std::u16string>& names) {
    names.clear();
    const std::u16string path = utf8ToUtf16(subkey);
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos) end = path.size();
        if (end == start) return BAD_PATHNAME;
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return 0;
}

Resolution resolveKey(RegistryHives& hives, std::uint32_t root, std::string_view subkey, bool refresh) {
    Resolution result;
    Names names;
    if ((result.code = splitKeyPath(subkey, names)) != 0) return result;
    HiveId hive = HiveId::MACHINE;
    Names base;
    switch (root) {
    case ROOT_LOCAL_MACHINE: break;
    case ROOT_CLASSES_ROOT: base = namesOf({u"Software", u"Classes"}); break;
    case ROOT_CURRENT_CONFIG:
        base = namesOf({u"System", u"CurrentControlSet", u"Hardware Profiles", u"Current"});
        break;
    case ROOT_CURRENT_USER: hive = HiveId::USER; break;
    case ROOT_USERS: return resolveUsers(hives, names, true, refresh);
    case ROOT_PERFORMANCE_DATA:
    case ROOT_DYN_DATA: result.code = FILE_NOT_FOUND; return result;
    default: result.code = INVALID_HANDLE; return result;
    }
    base.insert(base.end(), names.begin(), names.end());
    return walk(hives, hive, std::move(base), true, refresh, 0);
}

Resolution resolveBelow(RegistryHives& hives, const KeyLocation& from, const std::vector<std::u16string>& names,
                        bool followLast) {
    if (from.usersRoot) return resolveUsers(hives, names, followLast, false);
    Names path = from.path;
    path.insert(path.end(), names.begin(), names.end());
    return walk(hives, from.hive, std::move(path), followLast, false, 0);
}

RegistryNode* nodeAt(RegistryHives& hives, const KeyLocation& location) {
    if (location.usersRoot) return nullptr;
    return findPath(hives.hive(location.hive).root(), location.path);
}

}  // namespace windows::registry::tree
