#pragma once
// The message boxes of start-up, captioned with the product's name, which is a
// placeholder until the definitions are loaded.

#include <string>

#include "app/MessageDisplay.h"

namespace com::quorvex::products::tamblix {

class MessageNotifier {
public:
    static constexpr const char* DEFAULT_PRODUCT_NAME = "Tamblix Derivate Application - Product name not set yet";

    // display must outlive the notifier.
    explicit MessageNotifier(MessageDisplay& display);

    void setProductName(const std::string& productName);
    std::string getProductName() const { return _productName; }

    // Captioned product name + " Error", " Success", " Information".
    void showError(const std::string& text, void* owner);
    void showSuccess(const std::string& text, void* owner);
    void showInformation(const std::string& text, void* owner);
    void showError(const std::string& text) { showError(text, nullptr); }
    void showSuccess(const std::string& text) { showSuccess(text, nullptr); }
    void showInformation(const std::string& text) { showInformation(text, nullptr); }

private:
    MessageDisplay& _display;
    std::string _productName;
};

}  // namespace com::quorvex::products::tamblix
