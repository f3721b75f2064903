#pragma once
// Linux only: how the prefix's file calls report a failure to the portable
// services: as the stream library's own failure, with the Windows code of the
// cause as the last error.

#include <fstream>
#include <string>

namespace platform::prefix {

// Sets the last error and fails the stream, which raises the stream library's
// failure (the caller has set the stream's exception mask).
[[noreturn]] void failStream(std::ios& stream, int windowsError);
// The same where there is no stream yet.
[[noreturn]] void failStream(int windowsError);
// A step outside the stream library failed: errno tells why.
[[noreturn]] void failStep(const std::string& what, int errnoValue);

// Opens the stream on a Linux path; on failure the last error is the Windows
// code of errno, taken at once, and the stream library's failure is raised.
void openStream(std::ifstream& stream, const std::string& nativePath, std::ios::openmode mode);

}  // namespace platform::prefix
