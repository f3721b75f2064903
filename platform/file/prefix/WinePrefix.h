#pragma once
// The Windows environment the program looks after on Linux: a Wine prefix folder
// ($WINEPREFIX, else ~/.wine, as Wine itself decides).

#include <filesystem>

namespace platform::prefix {

class WinePrefix {
public:
    // The prefix the environment names; throws io::IOException naming the path when
    // that folder does not exist.
    static WinePrefix locate();

    // A given prefix folder, checked the same way.
    explicit WinePrefix(std::filesystem::path root);

    const std::filesystem::path& root() const { return _root; }
    std::filesystem::path dosdevices() const { return _root / "dosdevices"; }

private:
    std::filesystem::path _root;
};

}  // namespace platform::prefix
