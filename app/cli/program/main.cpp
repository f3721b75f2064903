// tamblix-cli: the engine without a window. It starts like the product (its own
// folder's system\ files, the Wine prefix of WINEPREFIX), then scans, selects
// and fixes as its arguments say; see CliOptions.h.

#include <iostream>
#include <memory>

#include "app/MachineServices.h"
#include "app/Startup.h"
#include "app/cli/CliJob.h"
#include "app/cli/InterruptWatcher.h"
#include "app/cli/Report.h"
#include "app/cli/ScanServices.h"
#include "platform/failure/Exception.h"
#include "platform/util/ProcessCommandLine.h"

namespace tamblix = com::quorvex::products::tamblix;
namespace cli = tamblix::cli;

namespace {

// Shows messages where the platform shows them and keeps the last text for the
// JSON report.
class RememberingDisplay : public tamblix::MessageDisplay {
public:
    void show(const std::string& caption, const std::string& text, unsigned style, void* owner) override {
        lastText = text;
        _platform->show(caption, text, style, owner);
    }
    std::string lastText;

private:
    const std::unique_ptr<tamblix::MessageDisplay> _platform = tamblix::makeErrorDisplay();
};

}  // namespace

int main(int argc, char** argv) {
    cli::CliOptions options;
    try {
        options = cli::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const exceptions::IllegalArgumentException& e) {
        std::cerr << e.getMessage() << "\n\n" << cli::usage();
        return cli::EXIT_ERROR;
    }
    if (options.command == cli::CliOptions::HELP) {
        std::cout << cli::usage();
        return 0;
    }
    cli::routeAssertionReports(options);

    RememberingDisplay display;
    tamblix::StartupSettings settings;
    settings.commandLine = util::processCommandLine();
    settings.debugMode = [&](const util::CommandLine&) { return options.debug; };
    settings.failureExitCode = cli::EXIT_ERROR;
    cli::HashedCount hashed;
    settings.makeMachine = [&] {
        return std::make_unique<cli::ScanServices>(tamblix::makeMachineServices(), options.drives, hashed);
    };
    bool reported = false;
    const int exitCode = tamblix::startProduct(settings, display, [&](tamblix::StartedProduct& product) {
        cli::EngineDriver driver(product.engine, cli::standardErrorIsTerminal() ? &std::cerr : nullptr,
                                 [&] { return hashed.text(); });
        const cli::InterruptWatcher interrupts([&] { driver.requestCancel(); });
        const int code = cli::runCommand(product.engine, driver, options, std::cout);
        reported = true;
        return code;
    });
    if (!reported && options.json) {
        cli::RunOutcome outcome;
        outcome.command = options.command == cli::CliOptions::FIX      ? "fix"
                          : options.command == cli::CliOptions::UPDATE ? "update"
                                                                       : "scan";
        outcome.debug = options.debug;
        outcome.error = display.lastText;
        cli::writeJsonReport(std::cout, nullptr, outcome);
    }
    return exitCode;
}
