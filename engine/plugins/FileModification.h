#pragma once
// One suggested file deletion.

#include <string>

#include "engine/plugins/ModificationState.h"

namespace com::quorvex::products::tamblix {

struct FileModification {
    static constexpr int ACTION_DELETE = 0;

    int action = ACTION_DELETE;
    // The file to delete; for a hit inside a zip archive, the archive.
    std::string path;
    // Empty, or the name of the detected member inside the archive.
    std::string innerName;
    std::string description;
    // The hit was made by the second hash method.
    bool variant = false;
    ModificationState state;
};

}  // namespace com::quorvex::products::tamblix
