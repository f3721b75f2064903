#pragma once
// Reading and writing document files on this machine. Both return 0 or the Windows
// error code of the failure (also set as the thread's last error).

#include <string>

namespace windows::com::xml {

// Reads the regular file at path, and nothing else: no URL, no decompression,
// no device or pipe.
int readDocumentFile(const std::string& path, std::string& bytes);

// Replaces the file at path by bytes through a temporary file in the same folder,
// so a failure leaves the old file as it was.
int writeDocumentFile(const std::string& path, const std::string& bytes);

}  // namespace windows::com::xml
