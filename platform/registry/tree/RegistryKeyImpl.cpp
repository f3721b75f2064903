#include "platform/registry/tree/RegistryKeyImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"
#include "platform/failure/LastError.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/registry/tree/RegistryFailure.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

namespace {

// The longest key name the registry stores, in UTF-16 code units.
constexpr std::size_t MAXIMUM_KEY_NAME = 255;

constexpr std::uint32_t SPECIFIC_RIGHTS = ACCESS_QUERY_VALUE | ACCESS_SET_VALUE | ACCESS_CREATE_SUB_KEY |
                                          ACCESS_ENUMERATE_SUB_KEYS | ACCESS_NOTIFY | ACCESS_CREATE_LINK;

FailureTexts openTexts(const std::string& fullName) {
    return {"Error when opening a registry key, access is denied. Key: " + fullName,
            "Error when opening a registry key, the key doesn't exist. Key: " + fullName, Missing::KEY,
            "Error when opening a registry key. Key: " + fullName};
}

FailureTexts createTexts(const std::string& fullName) {
    return {"Error when creating a registry key, access is denied. Key: " + fullName, "", Missing::KEY,
            "Error when creating a registry key. Key: " + fullName};
}

}  // namespace

std::uint32_t grantedRights(std::uint32_t access) {
    std::uint32_t rights = access & SPECIFIC_RIGHTS;
    if (access & (ACCESS_GENERIC_READ | ACCESS_GENERIC_EXECUTE))
        rights |= ACCESS_QUERY_VALUE | ACCESS_ENUMERATE_SUB_KEYS | ACCESS_NOTIFY;
    if (access & ACCESS_GENERIC_WRITE) rights |= ACCESS_SET_VALUE | ACCESS_CREATE_SUB_KEY;
    if (access & (ACCESS_GENERIC_ALL | ACCESS_MAXIMUM_ALLOWED)) rights |= SPECIFIC_RIGHTS;
    return rights;
}

RegistryKeyImpl::RegistryKeyImpl(std::shared_ptr<RegistryHives> hives, std::uint32_t root, const std::string& subkey,
                                 std::uint32_t access, Mode mode)
    : _hives(std::move(hives)),
      _root(root),
      _subkey(subkey),
      _fullName(fullKeyName(root, subkey)),
      _rights(grantedRights(access)) {
    std::lock_guard<std::recursive_mutex> hold(_hives->mutex());
    _open(mode);
}

void RegistryKeyImpl::_open(Mode mode) {
    const auto fail = [&](int code) {
        throwRegistryFailure(code, mode == Mode::OPEN ? openTexts(_fullName) : createTexts(_fullName));
    };
    Resolution found = resolveKey(*_hives, _root, cText(_subkey));
    if (found.code != 0) fail(found.code);
    _location = std::move(found.found);
    if (found.missing.empty()) {
        if (_location.usersRoot) return;
        if (const int code = _hives->openCode(_location.hive, _location.path)) fail(code);
        return;
    }
    if (mode == Mode::OPEN) fail(platform::winerror::FILE_NOT_FOUND);

    if (_location.usersRoot) fail(platform::winerror::ACCESS_DENIED);
    for (const auto& name : found.missing)
        if (name.size() > MAXIMUM_KEY_NAME) fail(platform::winerror::FILENAME_EXCED_RANGE);
    RegistryHive& hive = _hives->hive(_location.hive);
    if (const int code = hive.checkModifiable(_fullName)) fail(code);
    RegistryChange change;
    change.kind = RegistryChange::Kind::CREATE_KEY;
    change.path = _location.path;
    change.path.insert(change.path.end(), found.missing.begin(), found.missing.end());
    change.time = _hives->now();
    hive.apply(change);
    _location.path = std::move(change.path);
    modified(_location.hive);
}

RegistryKeyImpl::~RegistryKeyImpl() {
    if (_modifiedHives == 0) return;
    std::lock_guard<std::recursive_mutex> hold(_hives->mutex());
    for (const HiveId hive : {HiveId::MACHINE, HiveId::USER, HiveId::DEFAULT_USER}) {
        if (!(_modifiedHives & (1u << static_cast<unsigned>(hive)))) continue;
        try {
            _hives->hive(hive).commit();
        } catch (const exceptions::Exception& failure) {
            assertionFailed(failure.getMessage(), __FILE__, __LINE__);
        } catch (...) {
            assertionFailed("false", __FILE__, __LINE__);
        }
    }
}

void RegistryKeyImpl::flush() {
    std::lock_guard<std::recursive_mutex> hold(_hives->mutex());
    for (const HiveId hive : {HiveId::MACHINE, HiveId::USER, HiveId::DEFAULT_USER}) {
        const unsigned bit = 1u << static_cast<unsigned>(hive);
        if (!(_modifiedHives & bit)) continue;
        _modifiedHives &= ~bit;
        try {
            _hives->hive(hive).commit();
        } catch (const exceptions::Exception&) {
            _hives->hive(hive).discard();
            throw;
        }
    }
}

void* RegistryKeyImpl::getHandle() const { return const_cast<KeyLocation*>(&_location); }

RegistryNode* RegistryKeyImpl::node() {
    if (_location.usersRoot) return nullptr;
    const std::uint64_t version = _hives->hive(_location.hive).version();
    if (!_nodeKnown || version != _nodeVersion) {
        _node = nodeAt(*_hives, _location);
        _nodeVersion = version;
        _nodeKnown = true;
    }
    return _node;
}

}  // namespace windows::registry::tree
