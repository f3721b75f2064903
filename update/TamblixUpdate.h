#pragma once
// The definition updater as the engine sees it: one run at a time on the engine's
// worker, cancellable from the window's thread, observed by the engine for its
// download progress. It downloads through the session factory start-up makes it
// with; the engine lends it the rest for each run.

#include <string>
#include <vector>

#include "platform/failure/Exception.h"
#include "platform/util/Observable.h"

namespace platform::file {
class FileWriter;
}
namespace compression {
class UncompressionStream;
}

namespace com::quorvex::products::tamblix {

TAMBLIX_EXCEPTION(TamblixUpdateException, TamblixEngineException);

class TamblixUpdate : public Observable {
public:
    static constexpr int UPDATED = 0;
    static constexpr int NOT_UPDATED = 1;
    static constexpr int CANCELLED = 2;

    // Installs newer signed definitions when the description at url announces a
    // counter above currentCounter. Returns UPDATED, NOT_UPDATED or CANCELLED;
    // every other outcome is thrown.
    virtual int update(const std::string& url, int currentCounter, platform::file::FileWriter& writer,
                       compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey) = 0;
    virtual void cancel() = 0;
    // Download progress of the current or last run, 0 to 100.
    virtual int getProgress() = 0;
};

}  // namespace com::quorvex::products::tamblix
