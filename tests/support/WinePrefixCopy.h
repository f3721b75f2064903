#pragma once
// Real Wine prefixes for tests. The build creates one prefix per build folder; a
// test works on its own copy: the registry files copied, the rest hard-linked, so
// a copy costs little and nothing a test does reaches the original.

#include <filesystem>
#include <string>

namespace testing_support {

// True when wine is installed and the build made its prefix; tests skip otherwise.
bool winePrefixAvailable();

// Copies the build's prefix to folder (which must not exist yet).
void copyWinePrefix(const std::filesystem::path& folder);

// The Windows form of a path of this machine, through drive Z:, which Wine maps to /.
std::string driveZPath(const std::filesystem::path& path);

// Runs a wine command line (for example "reg query HKCU\\Software") in prefix and
// waits for its server to end, so that the registry files are written. Returns the
// exit code; output receives standard output.
int runWine(const std::filesystem::path& prefix, const std::string& arguments, std::string* output = nullptr);

}  // namespace testing_support
