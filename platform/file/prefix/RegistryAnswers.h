#pragma once
// What the prefix's registry tells the file layer. The registry layer implements
// it; where none is given, or it does not say, the file layer uses its defaults.

#include <optional>
#include <string>

namespace platform::prefix {

class RegistryAnswers {
public:
    virtual ~RegistryAnswers() = default;
    // The drive type (1 to 6, as getDriveType answers) that HKLM\Software\Wine\Drives
    // gives the letter 'a' to 'z', nullopt when it gives none.
    virtual std::optional<int> driveType(char letter) const = 0;
    // The user's Documents folder as a Windows path (User Shell Folders "Personal",
    // expanded), nullopt when it is not set.
    virtual std::optional<std::string> documentsFolder() const = 0;
};

}  // namespace platform::prefix
