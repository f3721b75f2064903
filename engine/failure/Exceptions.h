#pragma once
// Every exception class of the program, in the namespace of the layer that throws
// it. Each one only carries its message (see Exception.h).

#include "engine/failure/Exception.h"

namespace util {
TAMBLIX_EXCEPTION(StringHelperException, exceptions::Exception);
namespace parser {
TAMBLIX_EXCEPTION(CommandLineConverterException, exceptions::IllegalArgumentException);
}
namespace regexp {
TAMBLIX_EXCEPTION(ATLRegularExpressionException, exceptions::Exception);
}
namespace tinyconfig {
TAMBLIX_EXCEPTION(TinyConfigException, exceptions::Exception);
}
}  // namespace util

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

namespace windows {
namespace file {
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
}  // namespace file
namespace registry {
TAMBLIX_EXCEPTION(RegistryException, exceptions::Exception);
TAMBLIX_EXCEPTION(RegistryKeyNotFoundException, RegistryException);
TAMBLIX_EXCEPTION(RegistryAccessDeniedException, RegistryException);
TAMBLIX_EXCEPTION(RegistryUnexpectedTypeException, RegistryException);
TAMBLIX_EXCEPTION(RegistryValueNotFoundException, RegistryException);
}  // namespace registry
namespace com {
TAMBLIX_EXCEPTION(ComInitializerException, exceptions::Exception);
namespace xml {
TAMBLIX_EXCEPTION(XMLException, exceptions::Exception);
}
}  // namespace com
namespace internet {
TAMBLIX_EXCEPTION(InternetSessionException, exceptions::Exception);
TAMBLIX_EXCEPTION(CancelledException, InternetSessionException);
}  // namespace internet
namespace info {
TAMBLIX_EXCEPTION(ExpandException, exceptions::Exception);
TAMBLIX_EXCEPTION(BufferExpandException, ExpandException);
TAMBLIX_EXCEPTION(GetFolderPathException, exceptions::Exception);
}  // namespace info
namespace graphics {
TAMBLIX_EXCEPTION(IconHolderException, exceptions::Exception);
}
}  // namespace windows

namespace compression {
TAMBLIX_EXCEPTION(CompressionException, exceptions::Exception);
}

namespace encryption::pki {
TAMBLIX_EXCEPTION(SignatureException, exceptions::Exception);
}

namespace com::quorvex::products::tamblix {
TAMBLIX_EXCEPTION(TamblixEngineException, exceptions::Exception);
TAMBLIX_EXCEPTION(TamblixUpdateException, TamblixEngineException);
TAMBLIX_EXCEPTION(ZipReaderException, exceptions::Exception);
}  // namespace com::quorvex::products::tamblix
