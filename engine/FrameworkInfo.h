#pragma once
// The framework's own identity, as the log, the failure reports and the About
// page show it.

#include <string>

namespace com::quorvex::products::tamblix {

inline std::string frameworkVersion() { return "0.048a"; }
// Where users send the report of an unexpected failure.
inline std::string supportContact() { return "support@tamblix.example"; }
inline std::string frameworkWebAddress() { return "http://www.quorvex.com/tamblix/"; }

}  // namespace com::quorvex::products::tamblix
