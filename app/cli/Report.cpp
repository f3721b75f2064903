#include "app/cli/Report.h"

#include <cstdio>

#include "app/cli/JsonText.h"
#include "app/cli/Suggestions.h"
#include "app/cli/TerminalText.h"
#include "platform/failure/Exception.h"
#include "platform/registry/RegistryKeyNames.h"

namespace com::quorvex::products::tamblix::cli {

namespace {

const char* const STATE_NAMES[] = {
    "ready",       "scanning",   "scan-finished", "scan-failed",           "scan-cancelled",
    "fixing",      "fix-finished", "fix-failed",  "updating",              "update-finished-updated",
    "update-finished-not-updated", "update-failed", "update-cancelled",
};

std::string registryActionName(int action) {
    switch (action) {
        case RegistryModification::ADD_SUBKEY: return "Add subkey";
        case RegistryModification::SET_VALUE: return "Add value";
        case RegistryModification::REMOVE_SUBKEY: return "Remove subkey";
        case RegistryModification::REMOVE_VALUE: return "Remove value";
    }
    return "Unknown action " + std::to_string(action);
}

std::string hostsActionName(int action) {
    return action == HostsModification::ACTION_ADD ? "add redirection" : "remove redirection";
}

std::string keyName(const RegistryModification& record) {
    std::string root;
    try {
        root = windows::registry::RegistryKeyNames().keyToString(record.root);
    } catch (const exceptions::Exception&) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(record.root));
        root = hex;
    }
    return record.subkey.empty() ? root : root + "\\" + record.subkey;
}

bool carriesValue(const RegistryModification& record) {
    return record.action == RegistryModification::SET_VALUE || record.action == RegistryModification::REMOVE_VALUE;
}

std::string dataText(const ModificationValue& data) {
    if (data.type == ModificationValue::TYPE_DWORD) return "dword:" + std::to_string(data.number);
    return "\"" + data.text + "\"";
}

std::string mark(const ModificationState& state) {
    if (state.applied) return "[applied]";
    return state.selected ? "[x]" : "[ ]";
}

const char* boolText(bool value) { return value ? "true" : "false"; }

// A machine text or a description as the listing shows it.
std::string shown(const std::string& text) { return terminalText(text); }
std::string shownDescription(const std::string& html) { return terminalText(htmlToText(html)); }

// The description of a record in JSON: the HTML as the definitions give it, and its text.
std::string jsonDescription(const std::string& html) {
    return "\"description\": " + jsonString(html) + ", \"text\": " + jsonString(htmlToText(html));
}

std::string jsonList(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + jsonString(texts[i]);
    return out + "]";
}

void writeTextSuggestions(std::ostream& out, const ScanResults& results) {
    const auto suggestions = suggestionsOf(results);
    int shownTable = -1;
    for (const auto& s : suggestions) {
        if (s.table != shownTable) {
            shownTable = s.table;
            out << (s.table == Suggestion::REGISTRY ? "Registry:" : s.table == Suggestion::HOSTS ? "HOSTS:" : "Files:")
                << "\n";
        }
        if (s.table == Suggestion::REGISTRY) {
            const auto& first = results.registryChanges[s.first];
            out << "  " << mark(first.state) << " " << s.id << "  " << shownDescription(first.description) << "\n";
            for (std::size_t i = s.first; i < s.first + s.count; ++i) {
                const auto& record = results.registryChanges[i];
                out << "      " << registryActionName(record.action) << ": " << shown(keyName(record));
                if (carriesValue(record)) out << " value \"" << shown(record.valueName) << "\"";
                if (record.action == RegistryModification::SET_VALUE) out << " = " << shown(dataText(record.data));
                out << "\n";
            }
        } else if (s.table == Suggestion::HOSTS) {
            const auto& record = results.hostsChanges[s.first];
            out << "  " << mark(record.state) << " " << s.id << "  " << hostsActionName(record.action) << ": "
                << shown(record.entry.host) << " -> " << shown(record.entry.address) << "  "
                << shownDescription(record.description) << "\n";
        } else {
            const auto& record = results.fileChanges[s.first];
            out << "  " << mark(record.state) << " " << s.id << "  Delete: " << shown(record.path);
            if (!record.innerName.empty()) out << " (holds " << shown(record.innerName) << ")";
            if (record.variant) out << " (variant)";
            out << "  " << shownDescription(record.description) << "\n";
        }
    }
}

void writeTextProblems(std::ostream& out, const char* heading, const std::vector<std::string>& problems) {
    if (problems.empty()) return;
    out << heading << "\n";
    for (const auto& problem : problems) out << "  " << terminalLines(problem) << "\n";
}

void writeJsonRegistry(std::ostream& out, const std::vector<RegistryModification>& records) {
    out << "  \"registry\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        out << (i ? ",\n" : "\n") << "    {\"id\": " << jsonString(r.state.id) << ", \"group\": " << jsonString(r.group)
            << ", \"selected\": " << boolText(r.state.selected) << ", \"applied\": " << boolText(r.state.applied)
            << ", \"action\": " << jsonString(registryActionName(r.action)) << ", \"key\": " << jsonString(keyName(r))
            << ", \"valueName\": " << jsonString(r.valueName) << ", \"data\": ";
        if (r.data.type == ModificationValue::TYPE_DWORD)
            out << "{\"type\": \"dword\", \"number\": " << r.data.number << "}";
        else
            out << "{\"type\": \"string\", \"text\": " << jsonString(r.data.text) << "}";
        out << ", " << jsonDescription(r.description) << "}";
    }
    out << (records.empty() ? "],\n" : "\n  ],\n");
}

void writeJsonHosts(std::ostream& out, const std::vector<HostsModification>& records) {
    out << "  \"hosts\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        out << (i ? ",\n" : "\n") << "    {\"id\": " << jsonString(r.state.id)
            << ", \"selected\": " << boolText(r.state.selected) << ", \"applied\": " << boolText(r.state.applied)
            << ", \"action\": " << jsonString(hostsActionName(r.action)) << ", \"host\": " << jsonString(r.entry.host)
            << ", \"address\": " << jsonString(r.entry.address) << ", " << jsonDescription(r.description) << "}";
    }
    out << (records.empty() ? "],\n" : "\n  ],\n");
}

void writeJsonFiles(std::ostream& out, const std::vector<FileModification>& records) {
    out << "  \"files\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        out << (i ? ",\n" : "\n") << "    {\"id\": " << jsonString(r.state.id)
            << ", \"selected\": " << boolText(r.state.selected) << ", \"applied\": " << boolText(r.state.applied)
            << ", \"action\": \"Delete\", \"path\": " << jsonString(r.path)
            << ", \"innerName\": " << jsonString(r.innerName) << ", \"variant\": " << boolText(r.variant)
            << ", " << jsonDescription(r.description) << "}";
    }
    out << (records.empty() ? "],\n" : "\n  ],\n");
}

}  // namespace

std::string stateName(int state) {
    if (state == -1) return "start-failed";
    if (state >= 0 && state < static_cast<int>(std::size(STATE_NAMES))) return STATE_NAMES[state];
    return "state-" + std::to_string(state);
}

void writeTextReport(std::ostream& out, TamblixEngine* engine, const RunOutcome& outcome) {
    if (!engine) {
        out << "Start-up failed: " << terminalLines(outcome.error) << "\n";
        return;
    }
    out << terminalText(engine->getProductName()) << " " << terminalText(engine->getProductVersion())
        << ", definitions " << engine->getDefinitionsVersion() << " of " << terminalText(engine->getDefinitionsDate())
        << (outcome.debug ? " (debug mode)" : "") << "\n";
    const ScanResults& results = engine->getScanResults();
    const std::size_t count = suggestionsOf(results).size();
    out << "State: " << stateName(outcome.state) << "; " << count << (count == 1 ? " suggestion" : " suggestions")
        << "\n";
    if (!outcome.error.empty()) out << "Error: " << terminalLines(outcome.error) << "\n";
    writeTextSuggestions(out, results);
    writeTextProblems(out, "Problem encountered during scanning phase:", results.scanProblems);
    if (outcome.command == "fix") {
        writeTextProblems(out, "Problems encountered during fixing:", results.fixProblems);
        if (outcome.state == ENGINE_FIX_FINISHED) out << "Log file: " << shown(engine->getLogFilePath()) << "\n";
    }
}

void writeJsonReport(std::ostream& out, TamblixEngine* engine, const RunOutcome& outcome) {
    out << "{\n  \"command\": " << jsonString(outcome.command)
        << ",\n  \"mode\": " << (outcome.debug ? "\"debug\"" : "\"normal\"")
        << ",\n  \"state\": " << jsonString(stateName(outcome.state))
        << ",\n  \"error\": " << (outcome.error.empty() ? "null" : jsonString(outcome.error)) << ",\n";
    if (!engine) {
        out << "  \"product\": null\n}\n";
        return;
    }
    out << "  \"product\": {\"name\": " << jsonString(engine->getProductName())
        << ", \"version\": " << jsonString(engine->getProductVersion())
        << ", \"definitionsVersion\": " << engine->getDefinitionsVersion()
        << ", \"definitionsDate\": " << jsonString(engine->getDefinitionsDate()) << "},\n";
    const ScanResults& results = engine->getScanResults();
    out << "  \"suggestions\": " << suggestionsOf(results).size() << ",\n";
    writeJsonRegistry(out, results.registryChanges);
    writeJsonHosts(out, results.hostsChanges);
    writeJsonFiles(out, results.fileChanges);
    out << "  \"scanProblems\": " << jsonList(results.scanProblems) << ",\n";
    out << "  \"fixProblems\": " << jsonList(outcome.command == "fix" ? results.fixProblems : std::vector<std::string>{})
        << ",\n";
    const bool logged = outcome.command == "fix" && outcome.state == ENGINE_FIX_FINISHED;
    out << "  \"logFile\": " << (logged ? jsonString(engine->getLogFilePath()) : "null") << "\n}\n";
}

}  // namespace com::quorvex::products::tamblix::cli
