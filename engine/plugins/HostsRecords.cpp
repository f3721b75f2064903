#include "engine/plugins/HostsRecords.h"

#include <string_view>
#include <unordered_map>

#include "platform/failure/Assertion.h"

namespace com::quorvex::products::tamblix {

const char* const BLOCKED_ADDRESS = "127.0.0.1";

HostsEntry blockedEntry(const std::string& host) {
    HostsEntry entry;
    entry.kind = HostsEntry::MAPPING;
    entry.host = host;
    entry.address = BLOCKED_ADDRESS;
    entry.octets = {127, 0, 0, 1};
    // The address and seven blanks.
    entry.line = std::string(BLOCKED_ADDRESS) + "       " + host;
    return entry;
}

namespace {

// The state is made once, so each record takes one id.
HostsModification record(int action, HostsEntry entry, std::string description, bool selected) {
    return HostsModification{action, std::move(entry), std::move(description), ModificationState(selected)};
}

// Where the lines that removals name are, in file order, with the first one
// not yet taken out.
struct LinePlaces {
    std::vector<std::size_t> places;
    std::size_t next = 0;
};

bool pending(const HostsModification& r) { return r.state.selected && !r.state.applied; }

}  // namespace

std::vector<HostsModification> hostsScanRecords(const HostsFile& file,
                                                const std::map<std::string, HostsDefinition>& definitions) {
    std::vector<HostsModification> records;
    for (HostsEntry& duplicate : file.getDuplicates())
        records.push_back(record(HostsModification::ACTION_REMOVE, std::move(duplicate), "Duplicate entry", true));
    for (const auto& [host, definition] : definitions) {
        const HostsEntry* mapped = file.findMapping(host);
        if (mapped && !definition.block) {
            records.push_back(record(HostsModification::ACTION_REMOVE, *mapped, definition.info, definition.recommend));
        } else if (mapped && mapped->address != BLOCKED_ADDRESS) {
            records.push_back(record(HostsModification::ACTION_REMOVE, *mapped, definition.info, true));
            // The file's entry redirected: the line is the new redirection's.
            HostsEntry redirected = *mapped;
            const HostsEntry blocked = blockedEntry(host);
            redirected.address = blocked.address;
            redirected.octets = blocked.octets;
            redirected.line = blocked.line;
            records.push_back(record(HostsModification::ACTION_ADD, std::move(redirected), definition.info,
                                     definition.recommend));
        } else if (!mapped && definition.block) {
            records.push_back(
                record(HostsModification::ACTION_ADD, blockedEntry(host), definition.info, definition.recommend));
        }
    }
    return records;
}

HostsFixPlan planHostsFix(std::vector<HostsEntry> lines, std::vector<HostsModification>& records) {
    HostsFixPlan plan;
    plan.lines = std::move(lines);
    std::unordered_map<std::string_view, LinePlaces> wanted;
    for (const HostsModification& r : records)
        if (pending(r) && r.action == HostsModification::ACTION_REMOVE) wanted.try_emplace(r.entry.line);
    if (!wanted.empty()) {
        for (std::size_t i = 0; i < plan.lines.size(); ++i) {
            const auto found = wanted.find(plan.lines[i].line);
            if (found != wanted.end()) found->second.places.push_back(i);
        }
    }
    std::vector<bool> removed(plan.lines.size(), false);
    for (HostsModification& r : records) {
        if (!pending(r)) continue;
        const HostsEntry& entry = r.entry;
        if (r.action == HostsModification::ACTION_REMOVE) {
            LinePlaces& at = wanted.find(entry.line)->second;
            // Lines of one text are classified alike, so the first one left is
            // the one; the comparison still decides.
            std::size_t k = at.next;
            while (k < at.places.size() && (removed[at.places[k]] || !(plan.lines[at.places[k]] == entry))) ++k;
            if (k == at.places.size()) continue;
            removed[at.places[k]] = true;
            if (k == at.next) ++at.next;
            plan.logLines.push_back("Redirection from '" + entry.host + "' to '" + entry.address + "' removed");
        } else if (r.action == HostsModification::ACTION_ADD) {
            const auto found = wanted.find(entry.line);
            if (found != wanted.end()) found->second.places.push_back(plan.lines.size());
            plan.lines.push_back(entry);
            removed.push_back(false);
            plan.logLines.push_back("Redirection from '" + entry.host + "' to '" + entry.address + "' added");
        } else {
            TAMBLIX_ASSERT(r.action == HostsModification::ACTION_ADD || r.action == HostsModification::ACTION_REMOVE);
            continue;
        }
        plan.carriedOut.push_back(&r);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < plan.lines.size(); ++i)
        if (!removed[i]) {
            if (kept != i) plan.lines[kept] = std::move(plan.lines[i]);
            ++kept;
        }
    plan.lines.resize(kept);
    return plan;
}

std::string hostsLogSection(const std::vector<std::string>& logLines) {
    if (logLines.empty()) return "No HOSTS file changes made\n\n";
    std::string section = "HOSTS file modifications\n------------------------\n";
    for (const std::string& line : logLines) section += line + "\n";
    return section + "\n";
}

}  // namespace com::quorvex::products::tamblix
