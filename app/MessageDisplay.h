#pragma once
// Where message boxes go: the platform's message box, or, before any window
// exists on a platform without one, the process's error output.

#include <string>

namespace com::quorvex::products::tamblix {

// Message box styles, with the platform's values.
constexpr unsigned MESSAGE_STYLE_ERROR = 0x10010;        // set foreground, error icon
constexpr unsigned MESSAGE_STYLE_INFORMATION = 0x10040;  // set foreground, information icon

class MessageDisplay {
public:
    virtual ~MessageDisplay() = default;
    // Shows one message and returns once the user has seen it. owner is the
    // platform's window handle, null for none.
    virtual void show(const std::string& caption, const std::string& text, unsigned style, void* owner) = 0;
};

}  // namespace com::quorvex::products::tamblix
