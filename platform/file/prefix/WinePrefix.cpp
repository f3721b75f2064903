// Linux only: where the Wine prefix is.
#include "platform/file/prefix/WinePrefix.h"

#include <cstdlib>
#include <system_error>

#include "platform/file/FileExceptions.h"

namespace platform::prefix {

WinePrefix WinePrefix::locate() {
    if (const char* named = std::getenv("WINEPREFIX"); named && *named) return WinePrefix(named);
    const char* home = std::getenv("HOME");
    return WinePrefix(std::filesystem::path(home && *home ? home : ".") / ".wine");
}

WinePrefix::WinePrefix(std::filesystem::path root) : _root(std::move(root)) {
    std::error_code error;
    if (!std::filesystem::is_directory(_root, error))
        throw io::IOException("The Wine prefix '" + _root.string() +
                              "' does not exist. Set WINEPREFIX to the folder of a prefix.");
}

}  // namespace platform::prefix
