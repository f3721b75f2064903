#pragma once
// Renders the page of a stand-in engine as the window does: the engine's state,
// texts and results, with the window's own values (tab, switches, addresses).

#include <string>

#include "app/pages/HtmlPageBuilder.h"
#include "engine/FrameworkInfo.h"
#include "tests/app/pages/StandInEngine.h"

namespace pages_testing {

// The addresses hold two backslashes before "system", as the window makes them.
inline const std::string BANNER_ADDRESS = "file:///c:\\Program Files\\Demo\\\\system\\banner.gif";
inline const std::string ICON_ADDRESS = "file:///c:\\Program Files\\Demo\\\\system\\newwindow.gif";

struct WindowValues {
    int tab = HOME_TAB;
    bool registryDetails = false;
    bool hostsDetails = false;
};

inline std::string renderPage(HtmlPageBuilder& builder, StandInEngine& engine, const WindowValues& window) {
    const int state = engine.getState();
    return builder.buildPage(
        window.tab, state, engine.getStatusText(), engine.getProductName(), &engine.getScanResults(),
        engine.getProductUrl(), BANNER_ADDRESS, ICON_ADDRESS, engine.getUpdateProgress(), engine.getErrorMessage(),
        engine.getProductVersion(), frameworkVersion(), engine.getPublisher(), engine.getAuthor(),
        engine.getDefinitionsVersion(), engine.getDefinitionsDate(), engine.getIntroductionMessage(),
        engine.getScanFinishedMessage(), engine.getLogFilePath(), engine.getManualUpdateUrl(),
        engine.getTroubleshootUrl(), engine.getVariantUrl(), window.registryDetails, window.hostsDetails,
        &engine.getFixProblems(), &engine.getScanProblems());
}

}  // namespace pages_testing
