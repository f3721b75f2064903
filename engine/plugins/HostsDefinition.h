#pragma once
// One host of the HOSTS section of the definitions: a name that must be
// redirected to "127.0.0.1" (block) or must lose its redirection.

#include <map>
#include <string>

namespace com::quorvex::products::tamblix {

struct HostsDefinition {
    std::string host;
    bool block = false;
    // Description shown with the suggestion; may carry mark-up of the definitions.
    std::string info;
    bool recommend = false;
};

// The "host" elements of the HOSTS section, added to definitions in document
// order under their text as written; a later one of the same name replaces an
// earlier one. An element without its "block" attribute, or with a boolean
// attribute that is no boolean, fails with the XML layer's exception and adds
// nothing; so does a text that does not parse.
void loadHostsDefinitions(const std::string& xmlText, std::map<std::string, HostsDefinition>& definitions);

}  // namespace com::quorvex::products::tamblix
