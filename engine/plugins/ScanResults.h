#pragma once
// What a scan found, owned by the engine for its whole life. Plugins only append
// during scan. The engine keeps pointers into the three record vectors from the
// end of a scan to the end of the fix after it, so nothing may append to them in
// between.

#include <string>
#include <vector>

#include "engine/plugins/FileModification.h"
#include "engine/plugins/HostsModification.h"
#include "engine/plugins/RegistryModification.h"

namespace com::quorvex::products::tamblix {

struct ScanResults {
    std::vector<RegistryModification> registryChanges;
    std::vector<HostsModification> hostsChanges;
    std::vector<FileModification> fileChanges;
    // A problem that did not stop the scan of a plugin.
    std::vector<std::string> scanProblems;
    // A problem met while fixing.
    std::vector<std::string> fixProblems;
};

}  // namespace com::quorvex::products::tamblix
