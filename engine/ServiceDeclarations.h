#pragma once
// The services of other layers that the engine holds and lends. The engine's
// headers only pass them by reference, so declarations are enough here.

namespace windows::registry {
class RegistryService;
}

namespace platform::file {
class IStream;
class FileReader;
class FileWriter;
class FileExistsQuery;
class FileRemover;
class DirectoryExistsQuery;
class DriveTypeQuery;
class FileFinder;
class DriveEnumerator;
class DirectoryCreator;
class FolderCalls;
}  // namespace platform::file

namespace compression {
class UncompressionStream;
}

namespace com::quorvex::products::tamblix {
class TamblixUpdate;
class TickClock;
class LocalClock;
class ZipReader;
}  // namespace com::quorvex::products::tamblix
