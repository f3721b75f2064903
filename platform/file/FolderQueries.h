#pragma once
// The folder queries: the user's special folders and the system folders, as
// Windows paths.

#include <string>

#include "platform/file/FolderCalls.h"

namespace platform::file {

// The special folder folderId (CSIDL_PERSONAL, the user's documents; with
// CSIDL_FLAG_CREATE it is created when missing), without a final backslash.
// Throws windows::info::GetFolderPathException.
std::string getFolderPath(FolderCalls& folders, int folderId);

// The system folder ("C:\windows\system32\"), with a final backslash. Throws
// windows::file::CouldNotGetSystemDirectoryException.
std::string getSystemDirectory(FolderCalls& folders);

// The Windows folder ("C:\windows\"), with a final backslash. Throws
// windows::file::CouldNotGetWindowsDirectoryException.
std::string getWindowsDirectory(FolderCalls& folders);

}  // namespace platform::file
