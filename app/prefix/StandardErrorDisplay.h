#pragma once
// Linux only: message boxes before the window exists. There is no window system
// to ask, so the message goes to the process's error output: the caption, a line
// feed, the text, and a line feed unless the text already ends with one.

#include <ostream>

#include "app/MessageDisplay.h"

namespace com::quorvex::products::tamblix {

class StandardErrorDisplay : public MessageDisplay {
public:
    // out: the error output (std::cerr), given so that tests can read it.
    explicit StandardErrorDisplay(std::ostream& out) : _out(out) {}

    void show(const std::string& caption, const std::string& text, unsigned style, void* owner) override;

private:
    std::ostream& _out;
};

}  // namespace com::quorvex::products::tamblix
