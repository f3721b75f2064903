#include "platform/xml/XmlFailure.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/xml/XmlExceptions.h"

namespace windows::com::xml {

void throwXmlFailure(const std::string& message, int windowsError) {
    platform::setLastError(windowsError);
    throw XMLException(message + "\n\n" + SystemErrors::map(platform::getLastError()));
}

}  // namespace windows::com::xml
