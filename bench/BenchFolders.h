#pragma once
// Folders the registry benchmarks work in: scratch folders and a Wine prefix
// made for the run when none is given.

#include <filesystem>
#include <string>

namespace bench {

// A new folder in the temporary folder, its name starting with purpose.
std::filesystem::path temporaryFolder(const std::string& purpose);

// Makes a fresh Wine prefix with wineboot in a new temporary folder, which the
// caller removes at the end of the run; returns the prefix.
std::filesystem::path freshPrefix(std::filesystem::path& madeFolder);

}  // namespace bench
