#include "platform/registry/tree/RegistryReaderImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/registry/tree/RegistryFailure.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using namespace platform::winerror;

std::string entryName(const RegistryKeyImpl& key, const std::string& name) { return key.getFullName() + "\\" + name; }

}  // namespace

int RegistryReaderImpl::_query(const std::string& name, const StoredValue*& value) {
    if (!_key.allows(ACCESS_QUERY_VALUE)) return ACCESS_DENIED;
    if (_key.location().usersRoot) return FILE_NOT_FOUND;
    const RegistryNode* node = _key.node();
    if (!node) return KEY_DELETED;
    value = node->findValue(utf8ToUtf16(cText(name)));
    return value ? SUCCESS : FILE_NOT_FOUND;
}

void RegistryReaderImpl::_throwReadFailure(int code, const std::string& name) const {
    const std::string entry = entryName(_key, name);
    throwRegistryFailure(code, {"Error when reading a registry key, access is denied. Entry: '" + entry + "'",
                                "Error when reading a registry key, the value doesn't exist. Entry: '" + entry + "'",
                                Missing::VALUE, "Error when reading a registry key. Entry: '" + entry + "'"});
}

RegistryData RegistryReaderImpl::readValue(const std::string& name) {
    Lock hold(_key.hives().mutex());
    const StoredValue* value = nullptr;
    if (const int code = _query(name, value)) _throwReadFailure(code, name);
    if (!isSupportedType(value->type))
        throw RegistryUnexpectedTypeException("An unsupported registry type was encountered.\nThe actual type was " +
                                              std::to_string(value->type) + ".\nProblem occured with key:" +
                                              entryName(_key, name) + "\n");
    const std::uint32_t type = value->type;
    const std::string bytes = narrowData(type, value->data);
    return *convertRegistryValue(type, bytes, _key.hives().expander());
}

StoredRegistryValue RegistryReaderImpl::readRawValue(const std::string& name) {
    Lock hold(_key.hives().mutex());
    const StoredValue* value = nullptr;
    if (const int code = _query(name, value)) _throwReadFailure(code, name);
    return {value->type, value->data};
}

bool RegistryReaderImpl::valueExists(const std::string& name) {
    Lock hold(_key.hives().mutex());
    const StoredValue* value = nullptr;
    const int code = _query(name, value);
    if (code == FILE_NOT_FOUND) return false;
    if (code != SUCCESS) _throwReadFailure(code, name);
    return true;
}

std::list<std::string> RegistryReaderImpl::enumSubkeys() {
    Lock hold(_key.hives().mutex());
    std::list<std::string> names;
    if (_key.location().usersRoot) {
        names.push_back(utf16ToUtf8(DEFAULT_USER_NAME));
        names.push_back(utf16ToUtf8(USER_SID));
    } else {
        const RegistryNode* node = _key.allows(ACCESS_ENUMERATE_SUB_KEYS) ? _key.node() : nullptr;
        if (!node) {
            const int code = _key.allows(ACCESS_ENUMERATE_SUB_KEYS) ? KEY_DELETED : ACCESS_DENIED;
            const std::string entry = _key.getFullName();
            throwRegistryFailure(
                code, {"Error when enumerating a registry key using 'RegEnumKey', access is denied. Entry: '" + entry + "'",
                       "", Missing::VALUE, "Error when enumerating a registry key using 'RegEnumKey'. Entry: '" + entry + "'"});
        }
        for (const auto& subkey : node->subkeys()) names.push_back(utf16ToUtf8(subkey->name()));
    }
    platform::setLastError(NO_MORE_ITEMS);
    return names;
}

const RegistryNode* RegistryReaderImpl::_enumerableValues() {
    if (_key.location().usersRoot && _key.allows(ACCESS_QUERY_VALUE)) return nullptr;
    const RegistryNode* node = _key.allows(ACCESS_QUERY_VALUE) ? _key.node() : nullptr;
    if (!node) {
        const int code = _key.allows(ACCESS_QUERY_VALUE) ? KEY_DELETED : ACCESS_DENIED;
        throwRegistryFailure(code, {"", "", Missing::VALUE,
                                    "Error when getting the max data length. Using 'RegQueryInfoKey'. Entry: '" +
                                        _key.getFullName() + "'"});
    }
    return node;
}

std::string RegistryReaderImpl::_narrowName(const std::u16string& stored) {
    std::string name = utf16ToUtf8(stored);
    // The narrow calls report names as C strings.
    TAMBLIX_ASSERT(cText(name).size() == name.size());
    name.resize(cText(name).size());
    return name;
}

std::vector<std::pair<std::string, RegistryData>> RegistryReaderImpl::enumValues() {
    Lock hold(_key.hives().mutex());
    std::vector<std::pair<std::string, RegistryData>> values;
    const RegistryNode* node = _enumerableValues();
    if (!node) return values;
    const info::EnvironmentExpander& expander = _key.hives().expander();
    values.reserve(node->values().size());
    for (const StoredValue& value : node->values()) {
        if (!isSupportedType(value.type)) continue;
        values.emplace_back(_narrowName(value.name),
                            *convertRegistryValue(value.type, narrowData(value.type, value.data), expander));
    }
    platform::setLastError(NO_MORE_ITEMS);
    return values;
}

std::list<std::string> RegistryReaderImpl::valueNames() {
    Lock hold(_key.hives().mutex());
    std::list<std::string> names;
    const RegistryNode* node = _enumerableValues();
    if (!node) return names;
    for (const StoredValue& value : node->values())
        if (isSupportedType(value.type)) names.push_back(_narrowName(value.name));
    platform::setLastError(NO_MORE_ITEMS);
    return names;
}

}  // namespace windows::registry::tree
