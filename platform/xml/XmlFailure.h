#pragma once
// How the XML layer reports a failure: the operation's message, a blank line and the
// text of the Windows error code that stands for the cause.

#include <string>

namespace windows::com::xml {

// Sets the thread's last error to windowsError and throws XMLException with
// message + "\n\n" + SystemErrors::map(platform::getLastError()).
[[noreturn]] void throwXmlFailure(const std::string& message, int windowsError);

}  // namespace windows::com::xml
