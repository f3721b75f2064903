#include "app/cli/Suggestions.h"

#include <set>

#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix::cli {

std::vector<Suggestion> suggestionsOf(const ScanResults& results) {
    std::vector<Suggestion> suggestions;
    const auto& registry = results.registryChanges;
    for (std::size_t i = 0; i < registry.size();) {
        std::size_t end = i + 1;
        while (end < registry.size() && registry[end].group == registry[end - 1].group) ++end;
        suggestions.push_back({Suggestion::REGISTRY, i, end - i, registry[i].state.id});
        i = end;
    }
    for (std::size_t i = 0; i < results.hostsChanges.size(); ++i)
        suggestions.push_back({Suggestion::HOSTS, i, 1, results.hostsChanges[i].state.id});
    for (std::size_t i = 0; i < results.fileChanges.size(); ++i)
        suggestions.push_back({Suggestion::FILES, i, 1, results.fileChanges[i].state.id});
    return suggestions;
}

void applySelection(TamblixEngine& engine, const Selection& selection) {
    switch (selection.kind) {
        case Selection::RECOMMENDED: return;
        case Selection::NONE:
        case Selection::ALL: {
            const bool selected = selection.kind == Selection::ALL;
            engine.selectAllRegistry(selected);
            engine.selectAllHosts(selected);
            engine.selectAllFiles(selected);
            return;
        }
        case Selection::IDS: break;
    }
    std::set<std::string> known;
    for (const auto& suggestion : suggestionsOf(engine.getScanResults())) known.insert(suggestion.id);
    for (const auto& id : selection.ids)
        if (!known.count(id))
            throw exceptions::IllegalArgumentException("There is no suggestion with the id " + id + ".");
    engine.selectAllRegistry(false);
    engine.selectAllHosts(false);
    engine.selectAllFiles(false);
    const std::set<std::string> wanted(selection.ids.begin(), selection.ids.end());
    const ScanResults& results = engine.getScanResults();
    for (const auto& suggestion : suggestionsOf(results)) {
        if (!wanted.count(suggestion.id)) continue;
        // Every record of a registry run, so that the report shows the run as the fix will treat it.
        if (suggestion.table != Suggestion::REGISTRY) {
            engine.setSelected({suggestion.id, true});
            continue;
        }
        for (std::size_t i = suggestion.first; i < suggestion.first + suggestion.count; ++i)
            engine.setSelected({results.registryChanges[i].state.id, true});
    }
}

}  // namespace com::quorvex::products::tamblix::cli
