#pragma once
// Whole-file reads and writes for the publisher's tool. A write goes to a new
// temporary file in the target's folder that is renamed over the target once it
// is complete, so a failure never leaves a partial or truncated file behind.

#include <string>
#include <vector>

namespace publisher {

// Throws io::filesystem::LoadFileException naming the file and the reason.
std::vector<char> readWholeFile(const std::string& path);

// Throws io::filesystem::SaveFileException naming the file and the reason; the
// target is then as it was. A private file is readable by its owner only.
void writeFileAtomically(const std::string& path, const std::vector<char>& bytes, bool privateFile = false);

}  // namespace publisher
