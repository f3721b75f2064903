#pragma once
// The registry error scanner's own operations beyond the plugin contract.

#include <ctime>
#include <string>

#include "engine/plugins/Plugin.h"

namespace com::quorvex::products::tamblix {

class ScanRegistryForErrors : public Plugin {
public:
    // Length of the last scan in whole seconds.
    virtual int getScanSeconds() const = 0;
    // Writes the .reg undo file for the changes marked applied into folder, for
    // the fix made at time.
    virtual void writeUndoFile(const std::string& folder, const std::tm& time) = 0;
};

}  // namespace com::quorvex::products::tamblix
