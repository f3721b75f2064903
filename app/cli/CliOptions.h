#pragma once
// The command line of tamblix-cli:
//
//   tamblix-cli scan [--select WHICH] [--drives c:,d:] [--json] [--debug]
//   tamblix-cli fix  [--select WHICH] [--drives c:,d:] [--json] [--debug]
//   tamblix-cli update [--json] [--debug]
//   tamblix-cli help
//
// WHICH is none, recommended (the default: the definitions' own preselection),
// all, or a comma-separated list of suggestion ids as a scan prints them.
// --drives limits the file signature walk to the named fixed drives.

#include <string>
#include <vector>

namespace com::quorvex::products::tamblix::cli {

constexpr int EXIT_NOTHING_SUGGESTED = 0;
constexpr int EXIT_SUGGESTIONS = 1;
constexpr int EXIT_ERROR = 2;
// update: new definitions installed (0), none newer (1), or EXIT_ERROR for a
// failed or cancelled update.
constexpr int EXIT_UPDATED = 0;
constexpr int EXIT_NOT_UPDATED = 1;

struct Selection {
    enum Kind { NONE, RECOMMENDED, ALL, IDS };
    Kind kind = RECOMMENDED;
    std::vector<std::string> ids;  // for IDS, in the order given
};

struct CliOptions {
    enum Command { HELP, SCAN, FIX, UPDATE };
    Command command = HELP;
    Selection selection;
    bool json = false;
    // The plain definitions files, as the application's "debug" word selects them.
    bool debug = false;
    // The fixed drives the file signatures are looked for on; empty for all.
    std::vector<std::string> drives;
};

// Throws exceptions::IllegalArgumentException with a text that names the fault.
CliOptions parseOptions(const std::vector<std::string>& arguments);
// Throws exceptions::IllegalArgumentException for an empty id or list.
Selection parseSelection(const std::string& text);

std::string usage();

}  // namespace com::quorvex::products::tamblix::cli
