#pragma once
// Which proxy an address is fetched through, decided as the system's internet
// settings decide it.

#include <string>

#include "update/session/SessionSettings.h"

namespace windows::internet {

// The proxy ("host:port", as written in the settings) for a fetch of host over
// scheme ("http" or "https"), or "" for a direct fetch: when the proxy is off,
// when the server list names no proxy for the scheme, and when the host matches
// an entry of the bypass list (without regard to case; "*" matches any run of
// characters, "<local>" any name without a dot).
std::string proxyFor(const ProxySettings& settings, const std::string& scheme, const std::string& host);

}  // namespace windows::internet
