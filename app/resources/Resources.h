#pragma once
// The window's resources that are texts. The skeleton is the document the window
// loads once: an empty style element ("CsarvaneDlgStyle") that receives the
// style sheet and an empty body ("CsarvaneDlg") that receives every page. It is
// kept byte for byte as written (CR LF, tabs); a host that needs more in the
// document (its own script) adds that to its copy.

#include <string>

namespace com::quorvex::products::tamblix {

constexpr int IDR_HTML_SKELETON = 104;

// The bytes of app/resources/skeleton.html.
const std::string& skeletonDocument();

}  // namespace com::quorvex::products::tamblix
