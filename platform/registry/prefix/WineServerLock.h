#pragma once
// Linux only: whether a Wine server holds a prefix. While one runs it keeps the
// prefix's registry in memory and writes it back to the files at will, so
// nothing else may change those files. The server holds a write lock on the
// first byte of the file "lock" in its folder server-<device>-<inode> (those of
// the prefix folder, in hexadecimal), which lives in /tmp/.wine-<uid>, or, with
// Debian's Wine, in the folder that the prefix's file "wineserver" names below
// $TMPDIR or /tmp.

#include <filesystem>
#include <vector>

namespace windows::registry::prefix {

class WineServerLock {
public:
    // Wine's own places.
    WineServerLock();
    // Other places (tests): userFolder stands for /tmp/.wine-<uid>, tempFolders for $TMPDIR and /tmp.
    WineServerLock(std::filesystem::path userFolder, std::vector<std::filesystem::path> tempFolders);

    bool isHeld(const std::filesystem::path& prefix) const;
    // The lock files a server of the prefix would hold.
    std::vector<std::filesystem::path> lockFiles(const std::filesystem::path& prefix) const;

private:
    std::filesystem::path _userFolder;
    std::vector<std::filesystem::path> _tempFolders;
};

}  // namespace windows::registry::prefix
