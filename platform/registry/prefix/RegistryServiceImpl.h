#pragma once
// Linux only: the registry of a Wine prefix, read from and written to its
// registry files. system.reg is HKEY_LOCAL_MACHINE, user.reg HKEY_CURRENT_USER
// (= HKEY_USERS\S-1-5-21-0-0-0-1000), userdef.reg HKEY_USERS\.Default; the
// other roots map onto them as Wine maps them (see KeyResolver.h).
//
// Each file is read once and again when it changed on disk. A modification is
// written when the key it was made through is closed (and at the latest when the
// service ends); while a Wine server holds the prefix, every modifying call
// throws RegistryException and nothing is written. Reading is always allowed.

#include <memory>
#include <optional>
#include <string>

#include "platform/file/prefix/WinePrefix.h"
#include "platform/registry/prefix/WineServerLock.h"
#include "platform/registry/tree/TreeRegistryService.h"

namespace windows::registry {

namespace prefix {
class PrefixHives;
}

class RegistryServiceImpl : public tree::TreeRegistryService {
public:
    explicit RegistryServiceImpl(const platform::prefix::WinePrefix& prefix,
                                 prefix::WineServerLock lock = prefix::WineServerLock());
    ~RegistryServiceImpl() override;

    // The environment that REG_EXPAND_SZ values of this registry are expanded with.
    std::optional<std::string> environmentVariable(const std::string& name);

private:
    explicit RegistryServiceImpl(std::shared_ptr<prefix::PrefixHives> hives);
    std::shared_ptr<prefix::PrefixHives> _hives;
};

}  // namespace windows::registry
