#pragma once
// Start-up of the product: makes every service in a fixed order, loads the
// definitions through the engine, runs the main job (where the window will run)
// and tears everything down in reverse order.
//
// Order: the notifier; COM; the command line and its mode; the machine's
// services (on Linux the Wine prefix, whose drives translate the program's path
// and the working directory); the program file's path and its folder, made the
// working directory; the download sessions' factory, the updater and the
// uncompressor; an interrupted install of definitions finished or dropped; the
// public key; the engine over the machine's services; the three definition streams
// (definitions, permanent definitions, signature), loaded; the product name into
// the notifier; the vendor key under HKEY_CURRENT_USER\Software and the settings
// store over it; the main job.
//
// A failure anywhere before or inside the main job ends the run with one error
// box (captioned with the product name known by then) and the failure exit code.

#include <functional>
#include <memory>
#include <string>

#include "app/MachineServices.h"
#include "app/MessageDisplay.h"
#include "app/MessageNotifier.h"
#include "engine/TamblixEngine.h"
#include "platform/registry/TinyConfig.h"
#include "platform/util/CommandLine.h"

namespace com::quorvex::products::tamblix {

// The vendor key below HKEY_CURRENT_USER\Software, where the settings live.
constexpr const char* VENDOR_KEY_NAME = "Tamblix";

// What the main job is given; everything lives until it returns.
struct StartedProduct {
    TamblixEngine& engine;
    std::string programFolder;
    util::tinyconfig::TinyConfig& settings;
    MessageNotifier& notifier;
    bool debug;
};

// Returns the process's exit code.
using MainJob = std::function<int(StartedProduct&)>;

struct StartupSettings {
    // The command line text as the platform gives it (GetCommandLineA).
    std::string commandLine;
    // Decides the mode from the tokens; the application's rule is the default.
    std::function<bool(const util::CommandLine&)> debugMode;
    // Makes the machine's services; the platform's by default.
    std::function<std::unique_ptr<MachineServices>()> makeMachine;
    // Makes the download sessions' factory; the platform's by default.
    std::function<std::unique_ptr<windows::internet::InternetSessionFactory>()> makeSessions;
    // The exit code after a failed start (or a failing main job).
    int failureExitCode = 1;
};

// Debug mode is on exactly when the only argument is "debug" (byte for byte).
bool isDebugCommandLine(const util::CommandLine& commandLine);

// The texts start-up shows for a failure.
std::string xmlFailureText(const std::string& message);
std::string failureText(const std::string& message);
std::string unexpectedFailureText();

int startProduct(const StartupSettings& settings, MessageDisplay& display, const MainJob& mainJob);

}  // namespace com::quorvex::products::tamblix
