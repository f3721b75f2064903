// Linux only: the services of a Wine prefix, made together.
#include "app/prefix/PrefixMachine.h"

#include <filesystem>
#include <ios>

namespace com::quorvex::products::tamblix {

namespace {

platform::prefix::WinePrefix absolutePrefix(const platform::prefix::WinePrefix& prefix) {
    return platform::prefix::WinePrefix(std::filesystem::absolute(prefix.root()));
}

}  // namespace

PrefixMachine::PrefixMachine(const platform::prefix::WinePrefix& prefix)
    : _prefix(absolutePrefix(prefix)),
      _registry(_prefix),
      _answers(_registry),
      _files(_prefix, &_answers),
      _module(_prefix) {}

std::unique_ptr<platform::file::IStream> PrefixMachine::openBinaryStream(const std::string& path) {
    return _files.openStream(path, std::ios::binary);
}

std::unique_ptr<MachineServices> makeMachineServices() {
    return std::make_unique<PrefixMachine>(platform::prefix::WinePrefix::locate());
}

}  // namespace com::quorvex::products::tamblix
