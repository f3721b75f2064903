#include "app/cli/CliJob.h"

#include "app/cli/Report.h"
#include "app/cli/Suggestions.h"
#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix::cli {

namespace {

int report(std::ostream& out, TamblixEngine& engine, const CliOptions& options, const RunOutcome& outcome,
           int exitCode) {
    if (options.json)
        writeJsonReport(out, &engine, outcome);
    else
        writeTextReport(out, &engine, outcome);
    out.flush();
    return exitCode;
}

int runUpdate(TamblixEngine& engine, EngineDriver& driver, const CliOptions& options, std::ostream& out) {
    RunOutcome outcome;
    outcome.command = "update";
    outcome.debug = options.debug;
    outcome.state = driver.run([&] { engine.update(); },
                               {ENGINE_UPDATE_FINISHED_UPDATED, ENGINE_UPDATE_FINISHED_NOT_UPDATED,
                                ENGINE_UPDATE_FAILED, ENGINE_UPDATE_CANCELLED});
    switch (outcome.state) {
        case ENGINE_UPDATE_FINISHED_UPDATED: return report(out, engine, options, outcome, EXIT_UPDATED);
        case ENGINE_UPDATE_FINISHED_NOT_UPDATED: return report(out, engine, options, outcome, EXIT_NOT_UPDATED);
        case ENGINE_UPDATE_CANCELLED: outcome.error = "The update was cancelled."; break;
        default: outcome.error = engine.getErrorMessage(); break;
    }
    return report(out, engine, options, outcome, EXIT_ERROR);
}

}  // namespace

void routeAssertionReports(const CliOptions& options) {
    setAssertionConsole(options.json ? AssertionConsole::STANDARD_ERROR : AssertionConsole::STANDARD_OUTPUT);
}

int runCommand(TamblixEngine& engine, EngineDriver& driver, const CliOptions& options, std::ostream& out) {
    if (options.command == CliOptions::UPDATE) return runUpdate(engine, driver, options, out);
    RunOutcome outcome;
    outcome.command = options.command == CliOptions::FIX ? "fix" : "scan";
    outcome.debug = options.debug;

    outcome.state = driver.run([&] { engine.scan(); },
                               {ENGINE_SCAN_FINISHED, ENGINE_SCAN_FAILED, ENGINE_SCAN_CANCELLED});
    if (outcome.state == ENGINE_SCAN_FAILED) {
        outcome.error = engine.getErrorMessage();
        return report(out, engine, options, outcome, EXIT_ERROR);
    }
    if (outcome.state == ENGINE_SCAN_CANCELLED || driver.cancelRequested()) {
        outcome.error = "The scan was cancelled.";
        return report(out, engine, options, outcome, EXIT_ERROR);
    }
    try {
        applySelection(engine, options.selection);
    } catch (const exceptions::IllegalArgumentException& e) {
        outcome.error = e.getMessage();
        return report(out, engine, options, outcome, EXIT_ERROR);
    }
    const bool suggested = !suggestionsOf(engine.getScanResults()).empty();
    if (options.command == CliOptions::SCAN || !suggested)
        return report(out, engine, options, outcome, suggested ? EXIT_SUGGESTIONS : EXIT_NOTHING_SUGGESTED);

    outcome.state = driver.run([&] { engine.fix(); }, {ENGINE_FIX_FINISHED, ENGINE_FIX_FAILED});
    if (outcome.state == ENGINE_FIX_FAILED) {
        outcome.error = engine.getErrorMessage();
        return report(out, engine, options, outcome, EXIT_ERROR);
    }
    if (!engine.getFixProblems().empty()) {
        outcome.error = "Some modifications could not be made.";
        return report(out, engine, options, outcome, EXIT_ERROR);
    }
    return report(out, engine, options, outcome, EXIT_SUGGESTIONS);
}

}  // namespace com::quorvex::products::tamblix::cli
