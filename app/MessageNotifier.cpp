#include "app/MessageNotifier.h"

namespace com::quorvex::products::tamblix {

MessageNotifier::MessageNotifier(MessageDisplay& display) : _display(display), _productName(DEFAULT_PRODUCT_NAME) {}

void MessageNotifier::setProductName(const std::string& productName) { _productName = productName; }

void MessageNotifier::showError(const std::string& text, void* owner) {
    _display.show(_productName + " Error", text, MESSAGE_STYLE_ERROR, owner);
}

void MessageNotifier::showSuccess(const std::string& text, void* owner) {
    _display.show(_productName + " Success", text, MESSAGE_STYLE_INFORMATION, owner);
}

void MessageNotifier::showInformation(const std::string& text, void* owner) {
    _display.show(_productName + " Information", text, MESSAGE_STYLE_INFORMATION, owner);
}

}  // namespace com::quorvex::products::tamblix
