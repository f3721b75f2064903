#pragma once
// The small demo prefix: a Windows environment laid out as a Wine prefix, with
// registry values that point to files that exist and to files that are gone, so
// that the scanner has something real to find.

#include <filesystem>
#include <string>

namespace tools {

// Writes the demo prefix into folder, which must not exist, be empty, or hold an
// earlier demo prefix (which is replaced). Throws exceptions::Exception on failure.
void writeDemoPrefix(const std::filesystem::path& folder, const std::string& user);

// The file that marks a folder as a demo prefix, so that nothing else is ever replaced.
constexpr const char* DEMO_PREFIX_MARK = ".tamblix-demo-prefix";

}  // namespace tools
