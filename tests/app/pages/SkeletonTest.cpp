#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/resources/Resources.h"
#include "platform/xml/XmlDocument.h"

namespace {

using com::quorvex::products::tamblix::skeletonDocument;

std::vector<std::string> crLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type at = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", at)) {
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_EQ(at, text.size()) << "the last line ends without CR LF";
    return lines;
}

TEST(Skeleton, IsTheEmptyDocumentTheWindowFills) {
    const std::string& skeleton = skeletonDocument();
    const std::vector<std::string> lines = crLfLines(skeleton);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    EXPECT_EQ(lines[1],
              "<html id=\"CsarvaneDlgRootHtml\" xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">");
    EXPECT_EQ(lines.back(), "</html>");
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        const std::string indent = line.substr(0, line.find_first_not_of(" \t"));
        EXPECT_EQ(indent.find(' '), std::string::npos) << "indented with blanks";
    }
    const auto head = skeleton.find(
        "\t<head id=\"CsarvaneDlgHead\">\r\n\t\t<title></title>\r\n\t\t<style id=\"CsarvaneDlgStyle\" type=\"text/css\"></style>\r\n\t</head>\r\n");
    EXPECT_NE(head, std::string::npos);
    const std::string bodyStart = "\t<body id=\"CsarvaneDlg\">";
    const auto body = skeleton.find(bodyStart);
    ASSERT_NE(body, std::string::npos);
    EXPECT_GT(body, head);
    const auto bodyEnd = skeleton.find("</body>", body);
    ASSERT_NE(bodyEnd, std::string::npos);
    const std::string content = skeleton.substr(body + bodyStart.size(), bodyEnd - body - bodyStart.size());
    EXPECT_EQ(content.find_first_not_of(" \t\r\n"), std::string::npos) << "the body holds more than white space";
    EXPECT_NE(content.find('\t'), std::string::npos);
}

TEST(Skeleton, IsWellFormedXhtml) {
    windows::com::xml::XmlDocument document;
    document.loadXml(skeletonDocument());
    EXPECT_EQ(document.getElementsByTagName("style").getLength(), 1);
    EXPECT_EQ(document.getElementsByTagName("body").getLength(), 1);
}

}  // namespace
