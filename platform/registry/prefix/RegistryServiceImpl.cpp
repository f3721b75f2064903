// Linux only: the registry service over the three registry files of a Wine prefix.
#include "platform/registry/prefix/RegistryServiceImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"
#include "platform/registry/VariableEnvironment.h"
#include "platform/registry/prefix/PrefixEnvironment.h"
#include "platform/registry/prefix/PrefixHive.h"

namespace windows::registry {

namespace prefix {

class PrefixHives : public tree::RegistryHives {
public:
    PrefixHives(const std::filesystem::path& root, WineServerLock lock)
        : _lock(std::move(lock)),
          _machine(root, "system.reg", "REGISTRY\\\\Machine", _lock, *this),
          _user(root, "user.reg", "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", _lock, *this),
          _defaultUser(root, "userdef.reg", "REGISTRY\\\\User\\\\.Default", _lock, *this),
          _environment(*this, root),
          _strings([this](const std::string& name) { return _environment.lookup(name); }),
          _expander(_strings) {}

    // Changes not written yet (their keys' close failed) get a last chance.
    ~PrefixHives() override {
        std::lock_guard<std::recursive_mutex> hold(mutex());
        for (PrefixHive* hive : {&_machine, &_user, &_defaultUser}) {
            try {
                hive->commit();
            } catch (const exceptions::Exception& failure) {
                assertionFailed(failure.getMessage(), __FILE__, __LINE__);
            }
        }
    }

    tree::RegistryHive& hive(tree::HiveId id) override {
        switch (id) {
        case tree::HiveId::USER: return _user;
        case tree::HiveId::DEFAULT_USER: return _defaultUser;
        case tree::HiveId::MACHINE: break;
        }
        return _machine;
    }

    const info::EnvironmentExpander& expander() override { return _expander; }
    PrefixEnvironment& environment() { return _environment; }

private:
    WineServerLock _lock;
    PrefixHive _machine;
    PrefixHive _user;
    PrefixHive _defaultUser;
    PrefixEnvironment _environment;
    info::VariableEnvironmentStrings _strings;
    info::EnvironmentExpander _expander;
};

}  // namespace prefix

RegistryServiceImpl::RegistryServiceImpl(const platform::prefix::WinePrefix& prefix, prefix::WineServerLock lock)
    : RegistryServiceImpl(std::make_shared<prefix::PrefixHives>(prefix.root(), std::move(lock))) {}

RegistryServiceImpl::RegistryServiceImpl(std::shared_ptr<prefix::PrefixHives> hives)
    : TreeRegistryService(hives), _hives(std::move(hives)) {}

RegistryServiceImpl::~RegistryServiceImpl() = default;

std::optional<std::string> RegistryServiceImpl::environmentVariable(const std::string& name) {
    std::lock_guard<std::recursive_mutex> hold(_hives->mutex());
    return _hives->environment().lookup(name);
}

}  // namespace windows::registry
