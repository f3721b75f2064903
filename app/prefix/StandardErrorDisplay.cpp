// Linux only: message boxes as text on the error output.
#include "app/prefix/StandardErrorDisplay.h"

namespace com::quorvex::products::tamblix {

void StandardErrorDisplay::show(const std::string& caption, const std::string& text, unsigned, void*) {
    _out << caption << '\n' << text;
    if (text.empty() || text.back() != '\n') _out << '\n';
    _out.flush();
}

}  // namespace com::quorvex::products::tamblix
