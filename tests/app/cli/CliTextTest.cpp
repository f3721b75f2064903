#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/CliOptions.h"
#include "app/cli/JsonText.h"
#include "app/cli/TerminalText.h"
#include "platform/failure/Exception.h"
#include "tests/app/JsonValue.h"

namespace {

using namespace com::quorvex::products::tamblix::cli;

TEST(JsonText, EscapesWhatJsonRequiresAndKeepsEveryByte) {
    struct Case {
        const char* what;
        std::string text;
        std::string json;
        std::string decoded;  // what a JSON reader makes of it
    };
    const Case cases[] = {
        {"plain", "C:\\Program Files\\x", "\"C:\\\\Program Files\\\\x\"", "C:\\Program Files\\x"},
        {"quotes", "say \"hi\"", "\"say \\\"hi\\\"\"", "say \"hi\""},
        {"line ends and tabs", "a\r\nb\tc", "\"a\\r\\nb\\tc\"", "a\r\nb\tc"},
        {"other control bytes", std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\"",
         std::string("\x01\x1f\x7f", 3)},
        {"a zero byte", std::string("a\0b", 3), "\"a\\u0000b\"", std::string("a\0b", 3)},
        {"UTF-8 passes", "Gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80", "\"Gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80\"",
         "Gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80"},
        // Bytes of a single-byte code page: each read as Latin-1.
        {"Latin-1 bytes", "Gr\xfc\xdf", "\"Gr\\u00fc\\u00df\"", "Gr\xc3\xbc\xc3\x9f"},
        {"a cut sequence at the end", "a\xe2\x82", "\"a\\u00e2\\u0082\"", "a\xc3\xa2\xc2\x82"},
        {"an overlong form", "\xc0\xaf", "\"\\u00c0\\u00af\"", "\xc3\x80\xc2\xaf"},
        {"an encoded surrogate", "\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\"", "\xc3\xad\xc2\xa0\xc2\x80"},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\"",
         "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80"},
        {"empty", "", "\"\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string json = jsonString(c.text);
        EXPECT_EQ(json, c.json);
        EXPECT_EQ(testing_support::parseJson(json).text, c.decoded);
    }
}

TEST(TerminalText, HtmlReadsAsOneLineOfText) {
    struct Case {
        const char* what;
        std::string html;
        std::string text;
    };
    const Case cases[] = {
        {"inline tags go", "The <b>key</b> <i>is</i> <span class='a'>gone</span>", "The key is gone"},
        {"tags that end a line leave a blank", "one<br>two<br/>three<p>four</p>five</td><td>six",
         "one two three four five six"},
        {"white space runs are one blank", "  a\r\n\tb \n\n c  ", "a b c"},
        {"named references", "&lt;&gt;&amp;&quot;&apos; &eacute;&Eacute; &hellip; &euro;",
         "<>&\"' \xc3\xa9\xc3\x89 \xe2\x80\xa6 \xe2\x82\xac"},
        {"numeric references", "&#65;&#x42;&#X43; &#128512;", "ABC \xf0\x9f\x98\x80"},
        {"references that name no character", "&#0; &#xD800; &#x110000;", "\xef\xbf\xbd \xef\xbf\xbd \xef\xbf\xbd"},
        {"unknown or unfinished references stay", "&bogus; &amp &#; &#x; AT&T &", "&bogus; &amp &#; &#x; AT&T &"},
        {"names are case-sensitive", "&AMP; &Eacute;", "&AMP; \xc3\x89"},
        {"a reference to a line break is white space", "a&#10;b", "a b"},
        {"a < that begins no tag is text", "1 < 2 and 3 <= 4 <", "1 < 2 and 3 <= 4 <"},
        {"a quoted > stays inside its tag", "<a title=\"x > y\" href='>'>link</a>", "link"},
        {"comments go, also unterminated ones", "a<!-- <b>b</b> -->c<!-- d", "ac"},
        {"script and style keep nothing", "<style>p { }</style>x<SCRIPT>if (a < b) go();</script >y", "xy"},
        {"a tag that is not closed ends the text", "text <b class=\"open", "text"},
        {"references are decoded once", "&amp;lt;", "&lt;"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(htmlToText(c.html), c.text);
    }
}

TEST(TerminalText, ControlCharactersAndStrayBytesAreShownAsEscapes) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::string single;  // terminalText
        std::string lines;   // terminalLines
    };
    const Case cases[] = {
        {"C:\\R\xc3\xa9sum\xc3\xa9.txt \xe2\x82\xac", "C:\\R\xc3\xa9sum\xc3\xa9.txt \xe2\x82\xac",
         "C:\\R\xc3\xa9sum\xc3\xa9.txt \xe2\x82\xac"},
        {"\x1b[2Jx\x07", "\\x1B[2Jx\\x07", "\\x1B[2Jx\\x07"},
        {"a\0b\x7f"s, "a\\x00b\\x7F", "a\\x00b\\x7F"},
        {"line\r\nnext\nlast\r", "line\\x0D\\x0Anext\\x0Alast\\x0D", "line\nnext\nlast\\x0D"},
        {"tab\there", "tab\\x09here", "tab\\x09here"},
        // C1 controls (U+009B is a CSI of its own) and bytes that are not UTF-8.
        {"\xc2\x9b" "31m \xc2\xa0", "\\x9B31m \xc2\xa0", "\\x9B31m \xc2\xa0"},
        {"\xff\xc3(\xed\xa0\x80", "\\xFF\\xC3(\\xED\\xA0\\x80", "\\xFF\\xC3(\\xED\\xA0\\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(terminalText(c.text), c.single);
        EXPECT_EQ(terminalLines(c.text), c.lines);
    }
}

TEST(CliOptions, CommandsAndOptions) {
    struct Case {
        std::vector<std::string> arguments;
        CliOptions::Command command;
        Selection::Kind selection;
        std::vector<std::string> ids;
        bool json;
        bool debug;
    };
    const Case cases[] = {
        {{"scan"}, CliOptions::SCAN, Selection::RECOMMENDED, {}, false, false},
        {{"scan", "--json", "--debug"}, CliOptions::SCAN, Selection::RECOMMENDED, {}, true, true},
        {{"fix", "--select", "all"}, CliOptions::FIX, Selection::ALL, {}, false, false},
        {{"fix", "--select=none", "--json"}, CliOptions::FIX, Selection::NONE, {}, true, false},
        {{"fix", "--select", "recommended"}, CliOptions::FIX, Selection::RECOMMENDED, {}, false, false},
        {{"fix", "--select", "12,3,40"}, CliOptions::FIX, Selection::IDS, {"12", "3", "40"}, false, false},
        {{"scan", "--select", "7"}, CliOptions::SCAN, Selection::IDS, {"7"}, false, false},
        {{"help"}, CliOptions::HELP, Selection::RECOMMENDED, {}, false, false},
        {{"--help"}, CliOptions::HELP, Selection::RECOMMENDED, {}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CliOptions options = parseOptions(c.arguments);
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.selection.kind, c.selection);
        EXPECT_EQ(options.selection.ids, c.ids);
        EXPECT_EQ(options.json, c.json);
        EXPECT_EQ(options.debug, c.debug);
    }
}

TEST(CliOptions, DrivesAreLowerCaseDriveNames) {
    EXPECT_TRUE(parseOptions({"scan"}).drives.empty());
    EXPECT_EQ(parseOptions({"scan", "--drives", "c:,D:"}).drives, (std::vector<std::string>{"c:", "d:"}));
    EXPECT_EQ(parseOptions({"fix", "--drives=z:"}).drives, std::vector<std::string>{"z:"});
}

TEST(CliOptions, RefusesWhatItDoesNotKnow) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string notSelection = "is not a selection: give none, recommended, all or suggestion ids such as 3,7.";
    const Case cases[] = {
        {{}, "No command given."},
        {{"scna"}, "Unknown command 'scna'."},
        {{"debug"}, "Unknown command 'debug'."},
        {{"scan", "--jsn"}, "Unknown argument '--jsn'."},
        {{"scan", "extra"}, "Unknown argument 'extra'."},
        {{"fix", "--select"}, "--select needs a value."},
        {{"fix", "--select", "all", "--select", "none"}, "--select is given twice."},
        {{"fix", "--select", "ALL"}, "'ALL' " + notSelection},
        {{"fix", "--select", "1,,2"}, "'1,,2' " + notSelection},
        {{"fix", "--select", "1,"}, "'1,' " + notSelection},
        {{"fix", "--select", ""}, "'' " + notSelection},
        {{"fix", "--select", "-1"}, "'-1' " + notSelection},
        {{"fix", "--select", "3 4"}, "'3 4' " + notSelection},
        {{"help", "scan"}, "help takes no arguments."},
        {{"scan", "--drives"}, "--drives needs a value."},
        {{"scan", "--drives", "c:", "--drives", "d:"}, "--drives is given twice."},
        {{"scan", "--drives", "c"}, "'c' is not a list of drives such as c:,d:."},
        {{"scan", "--drives", "c:,"}, "'c:,' is not a list of drives such as c:,d:."},
        {{"scan", "--drives", "c:\\"}, "'c:\\' is not a list of drives such as c:,d:."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        try {
            parseOptions(c.arguments);
            ADD_FAILURE() << "accepted";
        } catch (const exceptions::IllegalArgumentException& e) {
            EXPECT_EQ(e.getMessage(), c.message);
        }
    }
}

}  // namespace
