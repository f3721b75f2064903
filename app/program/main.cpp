// tamblix: the product's program. Until the window exists its main job reports
// what was loaded; scans and fixes run through tamblix-cli.

#include <iostream>

#include "app/Startup.h"
#include "app/prefix/StandardErrorDisplay.h"
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
    tamblix::StandardErrorDisplay display(std::cerr);
    tamblix::StartupSettings settings;
    settings.commandLine = util::processCommandLine();
    return tamblix::startProduct(settings, display, reportLoaded);
}
