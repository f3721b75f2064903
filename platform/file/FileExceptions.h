#pragma once
// The failures of the file layer: streams, whole files, folders, drives and the
// special folders.

#include "platform/failure/Exception.h"

namespace io {
TAMBLIX_EXCEPTION(IOException, exceptions::Exception);
namespace file {
TAMBLIX_EXCEPTION(IStreamException, io::IOException);
}
namespace filesystem {
TAMBLIX_EXCEPTION(LoadFileException, io::IOException);
TAMBLIX_EXCEPTION(SaveFileException, io::IOException);
TAMBLIX_EXCEPTION(RemoveFileException, io::IOException);
TAMBLIX_EXCEPTION(ExistsDirException, exceptions::Exception);
}  // namespace filesystem
}  // namespace io

namespace windows::file {
TAMBLIX_EXCEPTION(WindowsFileException, io::IOException);
TAMBLIX_EXCEPTION(ModuleException, WindowsFileException);
TAMBLIX_EXCEPTION(CouldNotCreateDirectoryException, WindowsFileException);
TAMBLIX_EXCEPTION(CouldNotGetSystemDirectoryException, WindowsFileException);
TAMBLIX_EXCEPTION(CouldNotGetWindowsDirectoryException, WindowsFileException);
TAMBLIX_EXCEPTION(CurrentDirectoryException, exceptions::Exception);
TAMBLIX_EXCEPTION(GetCurrentDirectoryException, CurrentDirectoryException);
TAMBLIX_EXCEPTION(SetCurrentDirectoryException, CurrentDirectoryException);
TAMBLIX_EXCEPTION(DriveEnumeratorException, io::IOException);
TAMBLIX_EXCEPTION(FileFinderException, exceptions::Exception);
}  // namespace windows::file

namespace windows::info {
TAMBLIX_EXCEPTION(GetFolderPathException, exceptions::Exception);
}
