#include "bench/BenchFolders.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>

namespace bench {

std::filesystem::path temporaryFolder(const std::string& purpose) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("tamblix-" + purpose + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

std::filesystem::path freshPrefix(std::filesystem::path& madeFolder) {
    madeFolder = temporaryFolder("wine-prefix");
    const std::filesystem::path prefix = madeFolder / "prefix";
    std::cout << "Creating a Wine prefix in " << prefix << " (this takes a while)" << std::endl;
    const std::string command = "WINEPREFIX='" + prefix.string() +
                                "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' wineboot -i >/dev/null 2>&1 && "
                                "WINEPREFIX='" + prefix.string() + "' wineserver -w";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("wineboot could not create a prefix");
    return prefix;
}

}  // namespace bench
