#pragma once
// The work of tamblix-cli once the product has started: scan, select, and for
// fix apply the selection, then report. The exit code: 0 nothing suggested, 1
// suggestions found (and, for fix, the selected ones applied), 2 an error: a
// failed scan or fix, a cancelled scan, an unknown suggestion id, or problems
// while fixing.

#include <ostream>

#include "app/cli/CliOptions.h"
#include "app/cli/EngineDriver.h"
#include "engine/TamblixEngine.h"

namespace com::quorvex::products::tamblix::cli {

int runCommand(TamblixEngine& engine, EngineDriver& driver, const CliOptions& options, std::ostream& out);

// With --json, standard output carries the report alone: assertion reports go to
// standard error from here on. Called before start-up, whose checks report too.
void routeAssertionReports(const CliOptions& options);

}  // namespace com::quorvex::products::tamblix::cli
