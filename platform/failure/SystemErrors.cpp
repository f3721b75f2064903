#include "platform/failure/SystemErrors.h"

#include "platform/failure/Assertion.h"

std::string SystemErrors::map(int errorCode, const ErrorMapper* fallbackErrors) noexcept {
    try {
        const std::string prefix = "System error message: ";
        std::string text;
        if (platformErrorText(errorCode, text)) return prefix + text;
        if (fallbackErrors && fallbackErrors->map(errorCode, text)) return prefix + text + "\r\n";
        return prefix + "The string representation of the error code [" + std::to_string(errorCode) +
               "] was not found." + "\r\n";
    } catch (...) {
        assertionFailed("false", __FILE__, __LINE__);
        return "An unexpected exception was caught in static std::string SystemErrors::map(int errorCode, "
               "const ErrorMapper* fallbackErrors = 0) throw()\n";
    }
}
