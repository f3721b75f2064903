#pragma once
// Linux only: the drives of a prefix, the entries of <prefix>/dosdevices
// ("c:" -> "../drive_c", "z:" -> "/").

#include <cstdint>
#include <string>

#include "platform/file/prefix/WindowsPath.h"
#include "platform/file/prefix/WinePrefix.h"

namespace platform::prefix {

class DriveMap {
public:
    explicit DriveMap(const WinePrefix& prefix);

    // The entry's path as Wine names it ("<dosdevices>/c:"), whether or not it is there.
    std::string entryPath(char letter) const;
    // The path of the entry that is there for the letter (the lower-case name
    // first, then the upper-case one), empty when there is none.
    std::string presentEntry(char letter) const;
    // Bit mask of the letters that have an entry (bit 0 is a); false with the
    // last error set when dosdevices cannot be read.
    bool presentDrives(std::uint32_t& drives) const;

    // The Windows form of a canonical Linux path: through the drive whose target
    // is the longest leading part of it, else the \\?\unix form.
    AbsolutePath windowsPathOf(const std::string& realPath) const;

private:
    std::string _dosdevices;
};

// The path with every link and dot resolved, empty when it does not exist.
std::string realPathOf(const std::string& path);

}  // namespace platform::prefix
