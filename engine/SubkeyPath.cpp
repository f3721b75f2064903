#include "engine/SubkeyPath.h"

namespace com::quorvex::products::tamblix {

SubkeyPath splitSubkey(const std::string& subkey) {
    SubkeyPath path;
    const auto cut = subkey.rfind('\\');
    if (cut == std::string::npos) {
        path.child = subkey;
        path.belowRoot = true;
        return path;
    }
    path.parent = subkey.substr(0, cut);
    path.child = subkey.substr(cut + 1);
    path.belowRoot = path.parent.empty();
    return path;
}

}  // namespace com::quorvex::products::tamblix
