#pragma once
// The updater until definition updates are built: every update fails with a
// plain text, so the engine reports it as a failed update and changes nothing.

#include "update/TamblixUpdate.h"

namespace com::quorvex::products::tamblix {

class UnavailableUpdater : public TamblixUpdate {
public:
    int update(const std::string& url, int currentCounter, platform::file::FileWriter& writer,
               compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey) override;
    void cancel() override {}
    int getProgress() override { return 0; }
};

}  // namespace com::quorvex::products::tamblix
