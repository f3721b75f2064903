#pragma once
// The style sheet written for the ids and classes of the pages: a grey tab bar
// with the current tab white, alternating result rows, orange links whose
// access-key letters are underlined. Font sizes are relative throughout.

#include <string>

namespace com::quorvex::products::tamblix::pages {

std::string defaultStyleSheet();

}  // namespace com::quorvex::products::tamblix::pages
