#pragma once
// A registry subkey path cut at its last backslash into the parent key and the
// child that is created or deleted below it.

#include <string>

namespace com::quorvex::products::tamblix {

struct SubkeyPath {
    std::string parent;
    std::string child;
    // No backslash before the child: the parent is the root key itself.
    bool belowRoot = false;
};

SubkeyPath splitSubkey(const std::string& subkey);

}  // namespace com::quorvex::products::tamblix
