#include "platform/registry/tree/RegistryWriterImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryFailure.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using namespace platform::winerror;

// The longest value name the registry stores, in UTF-16 code units.
constexpr std::size_t MAXIMUM_VALUE_NAME = 16383;

std::string entryName(const RegistryKeyImpl& key, const std::string& name) { return key.getFullName() + "\\" + name; }

}  // namespace

std::unique_ptr<RegistryKey> RegistryWriterImpl::createSubkey(const std::string& name, std::uint32_t access) {
    // Directly below a root the path is the name alone: a leading backslash would make it invalid.
    const std::string subkey = _key.getSubkey().empty() ? name : _key.getSubkey() + "\\" + name;
    return std::make_unique<RegistryKeyImpl>(_key.sharedHives(), _key.getRoot(), subkey, access,
                                             RegistryKeyImpl::Mode::CREATE);
}

void RegistryWriterImpl::_throwSetFailure(int code, const std::string& name) const {
    const std::string entry = entryName(_key, name);
    throwRegistryFailure(code, {"Error when setting a registry value, access is denied. Value: '" + entry + "'", "",
                                Missing::VALUE, "Error when setting a registry value. Value: '" + entry + "'"});
}

void RegistryWriterImpl::setString(const std::string& name, const std::string& text) {
    std::string terminated = text;
    terminated += '\0';
    _set(name, TYPE_SZ, storedData(TYPE_SZ, terminated));
}

void RegistryWriterImpl::setDword(const std::string& name, std::uint32_t value, std::uint32_t windowsType) {
    if (windowsType != TYPE_DWORD && windowsType != TYPE_BINARY && windowsType != TYPE_DWORD_BIG_ENDIAN) {
        TAMBLIX_ASSERT(windowsType == TYPE_DWORD || windowsType == TYPE_BINARY || windowsType == TYPE_DWORD_BIG_ENDIAN);
        _throwSetFailure(INVALID_PARAMETER, name);
    }
    std::vector<std::uint8_t> bytes(4);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    _set(name, windowsType, std::move(bytes));
}

void RegistryWriterImpl::setValue(const std::string& name, const RegistryData& data) {
    if (data.isString()) return setString(name, data.getString());
    if (data.isDword()) return setDword(name, data.getDword(), TYPE_DWORD);
    TAMBLIX_ASSERT(data.isString() || data.isDword());
    _throwSetFailure(INVALID_PARAMETER, name);
}

void RegistryWriterImpl::_set(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    Lock hold(_key.hives().mutex());
    if (!_key.allows(ACCESS_SET_VALUE) || _key.location().usersRoot) _throwSetFailure(ACCESS_DENIED, name);
    RegistryNode* node = _key.node();
    if (!node) _throwSetFailure(KEY_DELETED, name);
    RegistryChange change;
    change.name = utf8ToUtf16(cText(name));
    if (change.name.size() > MAXIMUM_VALUE_NAME) _throwSetFailure(INVALID_PARAMETER, name);
    const StoredValue* existing = node->findValue(change.name);
    if (existing && existing->type == type && existing->data == data) return;

    RegistryHive& hive = _key.hives().hive(_key.location().hive);
    if (const int code = hive.checkModifiable(entryName(_key, name))) _throwSetFailure(code, name);
    change.kind = RegistryChange::Kind::SET_VALUE;
    change.path = _key.location().path;
    change.type = type;
    change.data = std::move(data);
    change.time = _key.hives().now();
    if (hive.apply(change)) _key.modified(_key.location().hive);
}

void RegistryWriterImpl::deleteValue(const std::string& name) {
    Lock hold(_key.hives().mutex());
    const std::string entry = entryName(_key, name);
    const FailureTexts texts{"Error deleting the '" + name + "' registry value. Access is denied. The value is located under the : '" +
                                 _key.getFullName() + "' registry key.",
                             "Error when deleteing the registry value. The value did not exist. Entry: '" + entry + "'",
                             Missing::VALUE, "Error when deleteing a value. Entry: '" + entry + "'"};
    if (!_key.allows(ACCESS_SET_VALUE)) throwRegistryFailure(ACCESS_DENIED, texts);
    if (_key.location().usersRoot) throwRegistryFailure(FILE_NOT_FOUND, texts);
    RegistryNode* node = _key.node();
    if (!node) throwRegistryFailure(KEY_DELETED, texts);
    RegistryChange change;
    change.name = utf8ToUtf16(cText(name));
    if (!node->findValue(change.name)) throwRegistryFailure(FILE_NOT_FOUND, texts);

    RegistryHive& hive = _key.hives().hive(_key.location().hive);
    if (const int code = hive.checkModifiable(entry)) throwRegistryFailure(code, texts);
    change.kind = RegistryChange::Kind::DELETE_VALUE;
    change.path = _key.location().path;
    change.time = _key.hives().now();
    if (hive.apply(change)) _key.modified(_key.location().hive);
}

void RegistryWriterImpl::deleteSubkeyTree(const std::string& name) {
    Lock hold(_key.hives().mutex());
    const FailureTexts texts{"", "Error when deleting the '" + name + "' registry key using 'SHDeleteKey'. The key did not exist. Complete key: '" +
                                     _key.getFullName() + "'",
                             Missing::KEY,
                             "Error when deleting the '" + name + "' registry key using 'SHDeleteKey'. Entry: '" +
                                 _key.getFullName() + "'"};
    std::vector<std::u16string> names;
    if (const int code = splitKeyPath(cText(name), names)) throwRegistryFailure(code, texts);
    KeyLocation target;
    if (names.empty()) {
        // The key itself, as the call does with an empty name.
        if (!_key.node()) throwRegistryFailure(_key.location().usersRoot ? ACCESS_DENIED : KEY_DELETED, texts);
        target = _key.location();
    } else {
        Resolution found = resolveBelow(_key.hives(), _key.location(), names, false);
        if (found.code == SUCCESS && !found.missing.empty()) found.code = FILE_NOT_FOUND;
        if (found.code != SUCCESS) throwRegistryFailure(found.code, texts);
        target = std::move(found.found);
    }
    // A hive's root is not a key that can go.
    if (target.usersRoot || target.path.empty()) throwRegistryFailure(ACCESS_DENIED, texts);

    const HiveId hiveId = target.hive;
    RegistryHive& hive = _key.hives().hive(hiveId);
    if (const int code = hive.checkModifiable(_key.getFullName() + "\\" + name)) throwRegistryFailure(code, texts);
    RegistryChange change;
    change.kind = RegistryChange::Kind::DELETE_KEY;
    change.name = target.path.back();
    target.path.pop_back();
    change.path = std::move(target.path);
    change.time = _key.hives().now();
    if (hive.apply(change)) _key.modified(hiveId);
}

}  // namespace windows::registry::tree
