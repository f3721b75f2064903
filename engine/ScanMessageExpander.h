#pragma once
// Passes a message text through every plugin's own placeholders.

#include <string>

namespace com::quorvex::products::tamblix {

class ScanMessageExpander {
public:
    virtual ~ScanMessageExpander() = default;
    virtual void expandScanMessage(std::string& text) = 0;
};

}  // namespace com::quorvex::products::tamblix
