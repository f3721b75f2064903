#include "app/cli/CliOptions.h"

#include "app/cli/ScanServices.h"
#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix::cli {

namespace {

[[noreturn]] void refuse(const std::string& text) { throw exceptions::IllegalArgumentException(text); }

bool isDecimal(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

Selection parseSelection(const std::string& text) {
    Selection selection;
    if (text == "none") {
        selection.kind = Selection::NONE;
    } else if (text == "recommended") {
        selection.kind = Selection::RECOMMENDED;
    } else if (text == "all") {
        selection.kind = Selection::ALL;
    } else {
        selection.kind = Selection::IDS;
        std::string::size_type start = 0;
        for (;;) {
            const auto comma = text.find(',', start);
            const std::string id = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!isDecimal(id))
                refuse("'" + text + "' is not a selection: give none, recommended, all or suggestion ids such as 3,7.");
            selection.ids.push_back(id);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    return selection;
}

CliOptions parseOptions(const std::vector<std::string>& arguments) {
    CliOptions options;
    if (arguments.empty()) refuse("No command given.");
    const std::string& command = arguments[0];
    if (command == "help" || command == "--help" || command == "-h") {
        if (arguments.size() > 1) refuse("help takes no arguments.");
        return options;
    }
    if (command == "scan")
        options.command = CliOptions::SCAN;
    else if (command == "fix")
        options.command = CliOptions::FIX;
    else if (command == "update")
        options.command = CliOptions::UPDATE;
    else
        refuse("Unknown command '" + command + "'.");
    bool selected = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--debug") {
            options.debug = true;
        } else if (argument == "--drives" || argument.rfind("--drives=", 0) == 0) {
            if (!options.drives.empty()) refuse("--drives is given twice.");
            if (argument == "--drives" && ++i == arguments.size()) refuse("--drives needs a value.");
            options.drives = parseDrives(argument == "--drives" ? arguments[i] : argument.substr(9));
        } else if (argument == "--select" || argument.rfind("--select=", 0) == 0) {
            if (options.command == CliOptions::UPDATE) refuse("update takes no --select.");
            if (selected) refuse("--select is given twice.");
            selected = true;
            std::string value;
            if (argument == "--select") {
                if (++i == arguments.size()) refuse("--select needs a value.");
                value = arguments[i];
            } else {
                value = argument.substr(9);
            }
            options.selection = parseSelection(value);
        } else {
            refuse("Unknown argument '" + argument + "'.");
        }
    }
    return options;
}

std::string usage() {
    return "Usage: tamblix-cli <command> [options]\n"
           "\n"
           "  scan   Scans the machine and prints the suggested modifications.\n"
           "  fix    Scans, selects and applies the selected suggestions, then prints what\n"
           "         was done and where the log was written.\n"
           "  update Downloads and installs newer signed definitions from the publisher.\n"
           "  help   Prints this text.\n"
           "\n"
           "Options:\n"
           "  --select WHICH   none, recommended (default: the definitions' preselection),\n"
           "                   all, or suggestion ids as a scan prints them (3,7,12).\n"
           "  --drives LIST    Looks for file signatures only on these fixed drives (c:,d:);\n"
           "                   by default on every fixed drive of the prefix.\n"
           "  --json           Prints the report as JSON.\n"
           "  --debug          Reads the plain definitions files (system\\definitions.xml and\n"
           "                   system\\permanent-definitions.xml) without signature check.\n"
           "\n"
           "The program works on the product in its own folder and on the Wine prefix\n"
           "named by WINEPREFIX (else ~/.wine). Ctrl+C cancels a running scan or update.\n"
           "Exit codes: 0 nothing suggested, 1 suggestions found or applied, 2 an error\n"
           "(also a cancelled scan, an unknown id and problems while fixing).\n"
           "update: 0 new definitions installed, 1 none newer, 2 failed or cancelled.\n";
}

}  // namespace com::quorvex::products::tamblix::cli
