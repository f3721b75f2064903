#pragma once
// Turns a finding of the registry scanner into the suggestion the window shows:
// remove the value, described as "<h3>" + heading + "</h3>" + the filled template.
//
// The heading is that of the group with the longest key prefix that contains the
// key (compared without regard to case, at backslash boundaries), else the
// default heading. The template is descValuePointing when the name is the path,
// descDataPointing when the data is, descDefaultValue for the default value; its
// %KEY%, %VALUE% and %FILE% are filled with the key, the value name and the path
// text, each bold and HTML-escaped. The template itself keeps its mark-up.

#include <cstdint>
#include <string>

#include "engine/plugins/RegistryErrorEntry.h"
#include "engine/plugins/RegistryModification.h"
#include "engine/plugins/RegistryScanDefinitions.h"

namespace com::quorvex::products::tamblix {

// The long root name, "\" and the subkey path (just the backslash for an empty path).
std::string registryErrorKeyText(const RegistryErrorEntry& entry);

std::string registryErrorDescription(const RegistryErrorEntry& entry, const RegistryScanDefinitions& definitions);

// The record, never preselected, with the decimal text of group as its group.
RegistryModification makeRegistryErrorRecord(const RegistryErrorEntry& entry,
                                             const RegistryScanDefinitions& definitions, std::uint32_t group);

}  // namespace com::quorvex::products::tamblix
