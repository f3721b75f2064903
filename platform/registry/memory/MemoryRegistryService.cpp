#include "platform/registry/memory/MemoryRegistryService.h"

#include <set>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/tree/KeyResolver.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::memory {

using tree::HiveId;

namespace {

class MemoryHive : public tree::RegistryHive {
public:
    MemoryHive(const bool& readOnly, const bool& storeFails) : _readOnly(readOnly), _storeFails(storeFails) {}

    void refresh() override {}
    tree::RegistryNode& root() override { return _file.root; }
    std::uint64_t version() const override { return _version; }
    int checkModifiable(const std::string&) override {
        return _readOnly ? platform::winerror::ACCESS_DENIED : platform::winerror::SUCCESS;
    }
    bool apply(const tree::RegistryChange& change) override {
        if (!tree::applyChange(_file.root, change)) return false;
        ++_version;
        _pending = true;
        return true;
    }
    void commit() override {
        if (!_pending) return;
        if (_storeFails) {
            platform::setLastError(platform::winerror::DISK_FULL);
            throw RegistryException("Error when writing the registry file 'memory'.\n\n" +
                                    SystemErrors::map(platform::winerror::DISK_FULL));
        }
        _pending = false;
        _stored = tree::writeRegistryFile(_file);
        ++_commits;
    }

    void discard() override {
        if (!_pending) return;
        _pending = false;
        _restoreStored();
    }

    void replace(tree::RegistryFile file) {
        _file = std::move(file);
        _stored = tree::writeRegistryFile(_file);
        ++_version;
    }
    const tree::RegistryFile& file() const { return _file; }
    int commits() const { return _commits; }

private:
    void _restoreStored() {
        tree::RegistryFileError error;
        _file = tree::RegistryFile();
        tree::parseRegistryFile(_stored, 0, _file, error);
        ++_version;
    }

    const bool& _readOnly;
    const bool& _storeFails;
    tree::RegistryFile _file = tree::emptyRegistryFile("REGISTRY", "#arch=win64");
    // The hive as last stored, in Wine's format.
    std::string _stored = tree::writeRegistryFile(_file);
    std::uint64_t _version = 1;
    bool _pending = false;
    int _commits = 0;
};

}  // namespace

class MemoryHives : public tree::RegistryHives {
public:
    MemoryHives() : _strings(_variables.lookup()), _expander(_strings) {}

    tree::RegistryHive& hive(HiveId id) override { return hiveOf(id); }
    const info::EnvironmentExpander& expander() override { return _expander; }
    int openCode(HiveId hive, const std::vector<std::u16string>& path) override {
        return _denied.count({hive, _lowerPath(path)}) ? platform::winerror::ACCESS_DENIED : platform::winerror::SUCCESS;
    }

    MemoryHive& hiveOf(HiveId id) { return _hives[static_cast<int>(id)]; }
    info::EnvironmentVariables& variables() { return _variables; }
    void setReadOnly(bool readOnly) { _readOnly = readOnly; }
    void setStoreFails(bool fails) { _storeFails = fails; }
    void deny(HiveId hive, const std::vector<std::u16string>& path) { _denied.insert({hive, _lowerPath(path)}); }

private:
    static std::vector<std::u16string> _lowerPath(const std::vector<std::u16string>& path) {
        std::vector<std::u16string> lower;
        for (const auto& name : path) lower.push_back(tree::lowerCase(name));
        return lower;
    }

    bool _readOnly = false;
    bool _storeFails = false;
    std::set<std::pair<HiveId, std::vector<std::u16string>>> _denied;
    MemoryHive _hives[3] = {MemoryHive(_readOnly, _storeFails), MemoryHive(_readOnly, _storeFails),
                            MemoryHive(_readOnly, _storeFails)};
    info::EnvironmentVariables _variables;
    info::VariableEnvironmentStrings _strings;
    info::EnvironmentExpander _expander;
};

MemoryRegistryService::MemoryRegistryService() : MemoryRegistryService(std::make_shared<MemoryHives>()) {}

MemoryRegistryService::MemoryRegistryService(std::shared_ptr<MemoryHives> hives)
    : TreeRegistryService(hives), _hives(std::move(hives)) {}

MemoryRegistryService::~MemoryRegistryService() = default;

void MemoryRegistryService::importHive(HiveId hive, std::string_view text) {
    std::lock_guard<std::recursive_mutex> hold(hives().mutex());
    tree::RegistryFile file;
    tree::RegistryFileError error;
    if (!tree::parseRegistryFile(text, hives().now(), file, error)) {
        platform::setLastError(platform::winerror::BADDB);
        throw RegistryException("The registry text cannot be read: line " + std::to_string(error.line) + ": " +
                                error.reason + ".\n\n" + SystemErrors::map(platform::getLastError()));
    }
    _memory().hiveOf(hive).replace(std::move(file));
}

std::string MemoryRegistryService::exportHive(HiveId hive) const {
    std::lock_guard<std::recursive_mutex> hold(hives().mutex());
    return tree::writeRegistryFile(_memory().hiveOf(hive).file());
}

info::EnvironmentVariables& MemoryRegistryService::variables() { return _memory().variables(); }

void MemoryRegistryService::setReadOnly(bool readOnly) {
    std::lock_guard<std::recursive_mutex> hold(hives().mutex());
    _memory().setReadOnly(readOnly);
}

void MemoryRegistryService::setStoreFails(bool fails) { _memory().setStoreFails(fails); }

void MemoryRegistryService::denyAccess(std::uint32_t root, const std::string& subkey) {
    std::lock_guard<std::recursive_mutex> hold(hives().mutex());
    const tree::Resolution found = tree::resolveKey(hives(), root, subkey);
    if (found.code != 0 || !found.missing.empty() || found.found.usersRoot)
        throw RegistryKeyNotFoundException("There is no key " + subkey + " to deny access to.");
    _memory().deny(found.found.hive, found.found.path);
}

int MemoryRegistryService::commits(HiveId hive) const {
    std::lock_guard<std::recursive_mutex> hold(hives().mutex());
    return _memory().hiveOf(hive).commits();
}

}  // namespace windows::registry::memory
