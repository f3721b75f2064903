#pragma once
// The short text a registry key shows in the result table; the full key text is
// its tooltip.

#include <string>

namespace com::quorvex::products::tamblix::pages {

// The long root names become their short forms (HKEY_USERS is HKUS), then the
// text keeps its first 9 and its last 32 characters with " .. " between them.
// A text of fewer than 41 characters is shown whole. A character is a UTF-8
// sequence where the bytes form one, else a byte, so no cut splits a letter.
std::string registryKeyDisplayText(const std::string& fullKeyText);

}  // namespace com::quorvex::products::tamblix::pages
