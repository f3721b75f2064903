#pragma once
// Linux only: replacing the whole content of a registry file, the way Wine
// writes them. The new content goes to a temporary file in the same folder that
// is then renamed over the target, so that a crash at any moment leaves either
// the old file or the new one. A target that is a symbolic link or has further
// hard links is written in place instead, so that the links stay intact.

#include <filesystem>
#include <string_view>

namespace windows::registry::prefix {

// 0, or the errno value of the failure; on failure the target is as it was
// (when it is written in place, as far as the failing write left it).
int replaceFileContent(const std::filesystem::path& target, std::string_view content);

}  // namespace windows::registry::prefix
