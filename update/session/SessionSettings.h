#pragma once
// What every download session of one factory is configured with: the system's
// access type and how long a silent server is waited for. Plain values, so that
// the sessions know nothing of where start-up read them.

#include <string>

namespace windows::internet {

// The proxy of the system's internet settings, as the settings store it.
struct ProxySettings {
    // False: every address is fetched directly.
    bool enabled = false;
    // "host:port" for every protocol, or "http=host:port;https=host:port;..."
    std::string server;
    // Hosts fetched directly, separated by semicolons: names with * wildcards and
    // "<local>" for names without a dot.
    std::string bypass;
};

struct SessionSettings {
    ProxySettings proxy;
    // A connection that is not made in this time fails.
    long connectTimeoutSeconds = 30;
    // A transfer that receives nothing for this long fails, so that a server that
    // never answers ends a download even when nobody cancels it.
    long stallTimeoutSeconds = 60;
};

}  // namespace windows::internet
