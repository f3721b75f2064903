#pragma once
// The services a production engine makes for itself rather than being handed.

#include <memory>

#include "engine/EngineClocks.h"
#include "engine/ServiceDeclarations.h"

namespace com::quorvex::products::tamblix {

std::unique_ptr<LocalClock> makePlatformLocalClock();
std::unique_ptr<FolderPathQuery> makePlatformFolderPathQuery();
// The engine's own uncompressor, lent to the definitions store and the updater.
std::shared_ptr<compression::UncompressionStream> makePlatformUncompressor();
// Initialises COM for the calling thread until the returned holder is released.
std::shared_ptr<void> initializeComForThisThread();

}  // namespace com::quorvex::products::tamblix
