#pragma once
// The system's access type for downloads, read where the browser keeps it: the
// values ProxyEnable, ProxyServer and ProxyOverride of the current user's
// Software\Microsoft\Windows\CurrentVersion\Internet Settings.

#include "platform/registry/RegistryService.h"
#include "update/session/SessionSettings.h"

namespace com::quorvex::products::tamblix {

// A missing or unreadable key or value counts as not set: without ProxyEnable (a
// DWORD, on when not 0) every download is direct.
windows::internet::ProxySettings readProxySettings(windows::registry::RegistryService& registry);

}  // namespace com::quorvex::products::tamblix
