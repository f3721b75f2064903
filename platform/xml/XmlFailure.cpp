#include "platform/xml/XmlFailure.h"

#include "engine/failure/Exceptions.h"
#include "engine/failure/LastError.h"
#include "engine/failure/SystemErrors.h"

namespace windows::com::xml {

void throwXmlFailure(const std::string& message, int windowsError) {
    platform::setLastError(windowsError);
    throw XMLException(message + "\n\n" + SystemErrors::map(platform::getLastError()));
}

}  // namespace windows::com::xml
