#include "engine/plugins/HtmlText.h"

namespace com::quorvex::products::tamblix {

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    appendEscapedHtml(escaped, text);
    return escaped;
}

void appendEscapedHtml(std::string& out, std::string_view text) {
    // Runs without a special character are appended whole: most texts have none.
    std::string_view::size_type start = 0;
    for (std::string_view::size_type i = 0; i < text.size(); ++i) {
        const char* reference = nullptr;
        switch (text[i]) {
            case '&': reference = "&amp;"; break;
            case '<': reference = "&lt;"; break;
            case '>': reference = "&gt;"; break;
            case '"': reference = "&quot;"; break;
            case '\'': reference = "&#39;"; break;
            default: continue;
        }
        out.append(text, start, i - start);
        out += reference;
        start = i + 1;
    }
    out.append(text, start, text.size() - start);
}

}  // namespace com::quorvex::products::tamblix
