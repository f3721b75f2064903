#include <string>

#include "app/pages/PageInputs.h"
#include "engine/FrameworkInfo.h"

namespace com::quorvex::products::tamblix::pages {

namespace {

// "http://www.example.com/a/" -> "www.example.com".
std::string hostName(const std::string& address) {
    std::string::size_type start = address.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    const std::string::size_type end = address.find('/', start);
    return address.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void appendFrameworkLink(std::string& page) {
    const std::string address = frameworkWebAddress();
    page += "<a target=\"_blank\" class=\"new-window\" accesskey=\"t\" href=\"";
    page += address;
    page += "\" title=\"Read more about the Tamblix Framework at ";
    page += hostName(address);
    page +=
        " - This link will open a new browser window\"><em>T</em>amblix framework TAMBLIX_INSERT_NEW_WINDOW_ICON</a>";
}

void appendCredits(std::string& page, const PageInputs& in) {
    page += "<h2>Credits and version information</h2>\n";
    page += "<p>";
    page += in.productName;
    page += " v";
    page += in.productVersion;
    page += "<br />Publisher: ";
    page += in.publisher;
    page += "<br />Author: ";
    page += in.author;
    page += "<br />Definition version: ";
    page += std::to_string(in.definitionsVersion);
    page += "<br />Definition date: ";
    page += in.definitionsDate;
    page += "<br /></p><p><small>";
    page += in.productName;
    page += "  is built using the ";
    appendFrameworkLink(page);
    page += " v";
    page += in.frameworkVersion;
    page += "</small></p>";
}

void appendAccessibility(std::string& page, const PageInputs& in) {
    page += "<h2>Accessibility statement</h2>\n";
    page += "<p>";
    page += in.productName;
    page +=
        " is built upon the  Microsoft Internet Explorer browser engine. An advantage is that you will recognize many of the features and navigation aids from the web, such as jumping between links with the TAB key, clicking links with Enter, CTRL + F to search, CTRL + A to select all text, CTRL + C to copy, checking checkboxes with space, etc.</p>";
    page += "<h3>Access keys</h3>\n";
    page += "<p>";
    page += in.productName;
    page +=
        " supports jumping to links defined by an access key. Press ALT + the access keys to jump to a specific link and Enter to click. Access keys can also be used to check/uncheck some checkboxes in the program. The access key is when possible underlined. The following are the access keys for the tab menu:</p>";
    page +=
        "<dl><dt>Access key h</dt><dd>Select the Home tab</dd><dt>Access key u</dt><dd>Select the Updates tab</dd><dt>Access key e</dt><dd>Select the Settings tab</dd><dt>Access key a</dt><dd>Select the About tab</dd></dl>";
    page += "<h3>Links</h3>\n";
    page += "<ol>";
    page +=
        "<li>Many links in the program have a title attribute that describes the link more in detail. Hold the mouse pointer above the link to show the title.</li>";
    page +=
        "<li>Some links will open a new browser window. These links can be identified with by the 'new window' icon TAMBLIX_INSERT_NEW_WINDOW_ICON located on the right side of the link, or by reading the link's title attribute.</li>";
    page +=
        "<li>In most cases, the link text will give enough detail to make sense out of its context. Some screen readers (such as JAWS) allows the user to extract the links and browse them  separately from the page. If the not, please examine the link's title attribute.</li>";
    page += "</ol>";
    page += "<h3>Images</h3>\n";
    page += "<ol>";
    page +=
        "<li>All images used in the program includes the ALT attribute, which contains an alternate description of the image. Decorative images are described as such.</li>";
    page += "</ol>";
    page += "<h3>Visual design</h3>\n";
    page +=
        "<p>The program uses cascading style sheets for the visual layout. Fonts are declared with relative sizes and can be resized by holding CTRL and using the mouse wheel.</p>";
    page += "<h3>Miscellaneous</h3>\n";
    page +=
        "<p>Sometimes JAWS does not notice that the content of screen was updated. Press INSERT+ESC to refresh JAWS.<br /><br /></p>";
}

}  // namespace

void appendAboutPage(std::string& page, const PageInputs& in) {
    page += "<h1>About ";
    page += in.productName;
    page += "</h1>\n";
    page += "<p>This documents contains version information about ";
    page += in.productName;
    page += " and an accessability statement.</p>";
    appendCredits(page, in);
    appendAccessibility(page, in);
}

}  // namespace com::quorvex::products::tamblix::pages
