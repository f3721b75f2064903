#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pages/HtmlPageBuilderImpl.h"

namespace {

using com::quorvex::products::tamblix::HtmlPageBuilderImpl;

struct Rule {
    std::string selector;
    std::string declarations;  // "a: b; c: d", without a last semicolon
    bool operator==(const Rule&) const = default;
};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The rules of a style sheet, in order; the blanks around the braces and a last
// semicolon inside them do not count.
std::vector<Rule> rulesOf(const std::string& sheet) {
    std::vector<Rule> rules;
    std::string::size_type at = 0;
    while (true) {
        const auto open = sheet.find('{', at);
        if (open == std::string::npos) break;
        const auto close = sheet.find('}', open);
        if (close == std::string::npos) break;
        std::string declarations = trimmed(sheet.substr(open + 1, close - open - 1));
        if (!declarations.empty() && declarations.back() == ';') declarations.pop_back();
        rules.push_back({trimmed(sheet.substr(at, open - at)), declarations});
        at = close + 1;
    }
    EXPECT_EQ(trimmed(sheet.substr(at)), "") << "text after the last rule";
    return rules;
}

TEST(DefaultStyleSheet, HoldsEveryRuleInItsOrder) {
    const std::vector<Rule> expected = {
        {"body",
         "background: white; margin: 0; padding: 0; border: 0; text-align: left; height: 100%; font-family: \"Lucida Grande\", \"Lucida Sans Unicode\", Verdana, Tahoma, Arial, sans-serif; color: #333"},
        {"#bodywrapper", "font-size: small"},
        {"#menu", "margin: 0; padding: 0"},
        {"#menu ul", "border: 0; margin: 0; padding: 0; list-style-type: none; text-align: center; clear: left"},
        {"#menu ul li", "display: block; float: left; text-align: center; padding: 0; margin: 0"},
        {"#menu ul li a",
         "height: 2em; border-top: 1px solid #ccc; border-left: 1px solid #ccc; border-bottom: 0px solid #e2e2e2; border-right: none; padding: 0; margin: 0 0 10px 0; text-decoration: none; display: block; text-align: center; font-weight: normal; letter-spacing: 1px; line-height: 2em; font-size: 75%; background: #e2e2e2"},
        {"#menu ul li a.selected", "background: #ffffff; color: #000"},
        {"#menu ul li a.notselected", "color: #333"},
        {"#menu ul li a.disabled", "color: #888"},
        {"#menu ul li#one a", "border-left: none"},
        {"#menu ul", "width: 100% !important"},
        {"#menu ul li a", "width: 100% !important"},
        {"#menu ul li", "width: 24.81% !important"},
        {"#menu ul > li", "width: 25% !important"},
        {"#menu ul li a em", "font-style: normal; font-weight: normal; text-decoration: underline"},
        {"#menu ul li a:hover", "background: #f0f0f0; color: #000; text-decoration: underline"},
        {"#menu a:active", "background: #777777; color: #f0f0f0"},
        {"#bannerimage", "border: 0; padding: 0; margin: 0; vertical-align: bottom"},
        {"#content", "background: white; padding-left: 1em; padding-right: 1em"},
        {".resulttable", "border: 0px solid #909090"},
        {".resulttable thead tr th",
         "background-color: #cccccc; padding-left: 5px; padding-right: 5px; border-left: 1px solid #c0c0c0"},
        {".resulttable thead tr th.switch-view", "background-color: #fff"},
        {".resulttable tbody tr", "border-left: 10px solid #888888"},
        {".resulttable tbody tr td",
         "border-left: 1px solid #d0d0d0; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid #d0d0d0"},
        {".resulttable tbody tr.even td", "background-color: #eeeeee"},
        {".resulttable tbody tr.odd td", "background-color: #ffffff"},
        {"h1, h2, h3, h4, h5, h6", "margin-top: 25px; margin-bottom: 2px"},
        {"h1", "font-size: 150%"},
        {"h2", "font-size: 125%"},
        {"h3", "font-size: 110%"},
        {"p", "margin-top: 0; margin-bottom: 1em"},
        {"a", "color: #f90; font-weight: bold; text-decoration: none"},
        {"a em", "font-style: normal; text-decoration: underline"},
        {"a.new-window:after", "content: \" q\"; font-size: 200%"},
        {"a:hover", "color: #c60; text-decoration: underline"},
        {"a:active", "color: #c60"},
        {".helpsection", "border-bottom: thin dotted; border-color: gray; cursor: help"},
    };
    HtmlPageBuilderImpl builder;
    const std::vector<Rule> rules = rulesOf(builder.getDefaultStyleSheet());
    ASSERT_EQ(rules.size(), expected.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE(expected[i].selector);
        EXPECT_EQ(rules[i].selector, expected[i].selector);
        EXPECT_EQ(rules[i].declarations, expected[i].declarations);
    }
}

}  // namespace
