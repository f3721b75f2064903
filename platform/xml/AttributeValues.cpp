#include "platform/xml/AttributeValues.h"

#include <cstdlib>

#include "platform/util/Numbers.h"
#include "platform/xml/XmlExceptions.h"

namespace windows::com::xml {

bool booleanOfAttribute(const std::string& name, const std::string& value) {
    if (value == "TRUE" || value == "true" || value == "1") return true;
    if (value == "FALSE" || value == "false" || value == "0") return false;
    throw XMLException("Error when getting the attribute. '" + name + "' not a boolean. The attribute is set to: '" +
                       value + "'.");
}

int integerOfText(const std::string& text) { return util::parseInt(text); }

double doubleOfText(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace windows::com::xml
