// tamblix: the product's program. Until the window exists its main job reports
// what was loaded; scans and fixes run through tamblix-cli.

#include <iostream>

#include "app/MachineServices.h"
#include "app/Startup.h"
#include "platform/util/ProcessCommandLine.h"

namespace tamblix = com::quorvex::products::tamblix;

namespace {

int reportLoaded(tamblix::StartedProduct& product) {
    auto& engine = product.engine;
    std::cout << engine.getProductName() << " " << engine.getProductVersion() << ": definitions "
              << engine.getDefinitionsVersion() << " of " << engine.getDefinitionsDate() << " loaded"
              << (product.debug ? " in debug mode" : "") << " from " << product.programFolder << "\n"
              << "The window is not part of this version; tamblix-cli scans and fixes.\n";
    return 0;
}

}  // namespace

int main() {
    const auto display = tamblix::makeErrorDisplay();
    tamblix::StartupSettings settings;
    settings.commandLine = util::processCommandLine();
    return tamblix::startProduct(settings, *display, reportLoaded);
}
