#pragma once
// The suggestions of a scan as the window shows them: one per HOSTS and file
// record, and one per run of consecutive registry records with equal groups,
// whose id (and checkbox) is its first record's.

#include <string>
#include <vector>

#include "app/cli/CliOptions.h"
#include "engine/TamblixEngine.h"

namespace com::quorvex::products::tamblix::cli {

struct Suggestion {
    enum Table { REGISTRY, HOSTS, FILES };
    Table table;
    std::size_t first;  // index of the first record in its vector
    std::size_t count;  // records in the suggestion (1 but for registry runs)
    std::string id;
};

std::vector<Suggestion> suggestionsOf(const ScanResults& results);

// Sets the engine's selection. For ids, every one must name a suggestion of the
// results (else exceptions::IllegalArgumentException, nothing changed); those
// named are selected (a registry run with all its records) and all others not.
void applySelection(TamblixEngine& engine, const Selection& selection);

}  // namespace com::quorvex::products::tamblix::cli
