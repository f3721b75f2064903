#include "engine/PlatformDefaults.h"

namespace com::quorvex::products::tamblix {

// PENDING: these come from the date/time, file, compression and XML layers.
std::unique_ptr<LocalClock> makePlatformLocalClock() { return nullptr; }
std::unique_ptr<FolderPathQuery> makePlatformFolderPathQuery() { return nullptr; }
std::shared_ptr<compression::UncompressionStream> makePlatformUncompressor() { return nullptr; }
std::shared_ptr<void> initializeComForThisThread() { return nullptr; }

}  // namespace com::quorvex::products::tamblix
