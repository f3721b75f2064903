#pragma once
// What the definitions tell about the product. The definitions store fills it
// into the engine (TamblixEngineImpl::setProductInformation); until then every
// text is empty.

#include <string>

namespace com::quorvex::products::tamblix {

struct ProductInformation {
    std::string productName;
    std::string author;
    std::string productVersion;
    std::string publisher;
    std::string productUrl;
    std::string contactUrl;
    int definitionsVersion = 0;
    std::string definitionsDate;
    std::string updateUrl;
    std::string manualUpdateUrl;
    std::string troubleshootUrl;
    std::string introductionMessage;
    std::string scanFinishedMessage;
    std::string styleSheet;
    std::string variantUrl;
};

}  // namespace com::quorvex::products::tamblix
