#pragma once
// The HOSTS plugin's decisions as functions over values: which suggestions a
// scan makes of the file and the definitions, and what a fix makes of the
// file's lines and the selected suggestions.

#include <map>
#include <string>
#include <vector>

#include "engine/plugins/HostsDefinition.h"
#include "engine/plugins/HostsFile.h"
#include "engine/plugins/HostsModification.h"

namespace com::quorvex::products::tamblix {

// The address blocked hosts are redirected to.
extern const char* const BLOCKED_ADDRESS;

// The mapping line that redirects host to BLOCKED_ADDRESS.
HostsEntry blockedEntry(const std::string& host);

// First every duplicate mapping (remove, "Duplicate entry", ticked), then per
// definition in name order: a mapping of a host that is not to be blocked is
// removed (ticked as recommended); a blocked host mapped elsewhere has that
// mapping removed (ticked) and a redirection added (ticked as recommended); a
// blocked host without a mapping gets one added; nothing else.
std::vector<HostsModification> hostsScanRecords(const HostsFile& file,
                                                const std::map<std::string, HostsDefinition>& definitions);

struct HostsFixPlan {
    std::vector<HostsEntry> lines;      // the file's lines as they are to be written
    std::vector<std::string> logLines;  // one per record carried out
    std::vector<HostsModification*> carriedOut;
};

// Carries out, on the lines, each selected record not yet applied, in
// order: a removal takes out the first line equal to its entry (none: the record
// is skipped), an addition appends its entry. The records are not marked.
// Lines are found through an index of the removals' texts, so the work grows
// with the lines plus the records.
HostsFixPlan planHostsFix(std::vector<HostsEntry> lines, std::vector<HostsModification>& records);

// The log section of the plan's lines, or "No HOSTS file changes made\n\n".
std::string hostsLogSection(const std::vector<std::string>& logLines);

}  // namespace com::quorvex::products::tamblix
