#include "platform/xml/AttributeValues.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "engine/failure/Exceptions.h"

namespace windows::com::xml {

bool booleanOfAttribute(const std::string& name, const std::string& value) {
    if (value == "TRUE" || value == "true" || value == "1") return true;
    if (value == "FALSE" || value == "false" || value == "0") return false;
    throw XMLException("Error when getting the attribute. '" + name + "' not a boolean. The attribute is set to: '" +
                       value + "'.");
}

// The integer rules of the string utilities, kept here until the layer can use them.
int integerOfText(const std::string& text) {
    if (text.empty()) throw exceptions::NumberFormatException("The empty string cannot be parsed into an integer");
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    const bool outOfRange = errno == ERANGE || value < INT_MIN || value > INT_MAX;
    if (outOfRange || (value == 0 && text[0] != '0')) {
        throw exceptions::NumberFormatException("Error parsing the string [" + text + "] to an integer");
    }
    return static_cast<int>(value);
}

double doubleOfText(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace windows::com::xml
