#pragma once
// What the prefix's registry tells the file layer: the drive types Wine was
// configured with (HKLM\Software\Wine\Drives, values "a:" to "z:" holding "hd",
// "floppy", "cdrom", "network" or "ramdisk" in any case; a: and b: are floppy
// drives unless set otherwise) and the user's Documents folder (User Shell
// Folders "Personal", expanded). A registry that cannot be read says nothing.

#include "platform/file/prefix/RegistryAnswers.h"
#include "platform/registry/RegistryService.h"

namespace windows::registry::prefix {

class PrefixRegistryAnswers : public platform::prefix::RegistryAnswers {
public:
    explicit PrefixRegistryAnswers(RegistryService& registry) : _registry(registry) {}

    std::optional<int> driveType(char letter) const override;
    std::optional<std::string> documentsFolder() const override;

private:
    std::optional<std::string> _text(std::uint32_t root, const std::string& subkey, const std::string& name) const;

    RegistryService& _registry;
};

}  // namespace windows::registry::prefix
