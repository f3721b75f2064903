#pragma once
// What tamblix-cli prints on its standard output: the product, the state the
// engine ended in, the suggestions with their selection and whether they were
// applied, the problems, and after a fix the log file; as text for people or as
// one JSON object for scripts. The text shows each description as plain text on
// one line and no machine text can steer the terminal (see TerminalText.h).
//
// JSON: {"command", "mode", "state", "error" (null or text), "product": {"name",
// "version", "definitionsVersion", "definitionsDate"}, "suggestions" (the number
// of suggestions), "registry": [{"id", "group", "selected", "applied", "action",
// "key", "valueName", "data": {"type": "string", "text"} | {"type": "dword",
// "number"}, "description", "text"}], "hosts": [{"id", "selected", "applied",
// "action", "host", "address", "description", "text"}], "files": [{"id",
// "selected", "applied", "action", "path", "innerName", "variant", "description",
// "text"}], "scanProblems", "fixProblems", "logFile" (null unless a fix
// finished)}. Registry records are listed one by one; consecutive records with
// the same group form one suggestion, named by the first one's id. "description"
// is the HTML the definitions give, "text" the same as plain text on one line.

#include <ostream>
#include <string>

#include "engine/TamblixEngine.h"

namespace com::quorvex::products::tamblix::cli {

struct RunOutcome {
    std::string command;  // "scan" or "fix"
    bool debug = false;
    int state = -1;       // the engine's state at the end; -1 when start-up failed
    std::string error;    // empty when there was none
};

// The name of an engine state in reports ("scan-finished"), "start-failed" for -1.
std::string stateName(int state);

// engine is null when start-up failed.
void writeTextReport(std::ostream& out, TamblixEngine* engine, const RunOutcome& outcome);
void writeJsonReport(std::ostream& out, TamblixEngine* engine, const RunOutcome& outcome);

}  // namespace com::quorvex::products::tamblix::cli
