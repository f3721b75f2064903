#pragma once
// The registry error scanner's own operations beyond the plugin contract.

#include "engine/plugins/Plugin.h"

namespace com::quorvex::products::tamblix {

class ScanRegistryForErrors : public Plugin {
public:
    // Length of the last scan in whole seconds.
    virtual int getScanSeconds() const = 0;
    // Writes the .reg undo file for the changes marked applied.
    virtual void writeUndoFile() = 0;
};

}  // namespace com::quorvex::products::tamblix
