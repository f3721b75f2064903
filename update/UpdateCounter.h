#pragma once

#include <string>

namespace com::quorvex::products::tamblix {

// An update counter as the C library's atol reads it: leading white space, an
// optional sign, the longest run of digits; no digits give 0. A number beyond
// the range of int gives the nearest end of that range.
int counterOfText(const std::string& text);

}  // namespace com::quorvex::products::tamblix
