#pragma once
// Reading document files on this machine.

#include <string>

namespace windows::com::xml {

// Reads the regular file at path, and nothing else: no URL, no decompression,
// no device or pipe. Returns 0 or the Windows error code of the failure (also set
// as the thread's last error).
int readDocumentFile(const std::string& path, std::string& bytes);

}  // namespace windows::com::xml
