#include <gtest/gtest.h>

#include "platform/util/CommandLine.h"
#include "platform/util/ProcessCommandLine.h"
#include "platform/util/StringHelper.h"
#include "platform/util/UtilExceptions.h"
#include "platform/util/parser/ArgumentParserHelpers.h"
#include "platform/util/parser/CommandLineConverter.h"

using util::parser::CommandLineConverter;

namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLineConverter, SplitsAtBlanksOutsideQuotes) {
    struct Case {
        const char* command;
        Tokens tokens;
    };
    const Case cases[] = {
        {"program.exe \"a b\" debug", {"program.exe", "a b", "debug"}},
        {"program.exe  debug", {"program.exe", "debug"}},
        {"  program.exe   debug  ", {"program.exe", "debug"}},
        {"\"c:\\Program Files\\Tool\\tool.exe\" debug", {"c:\\Program Files\\Tool\\tool.exe", "debug"}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"x \"\" y", {"x", "", "y"}},
        {"\"a\"\"b\"", {"ab"}},
        {"tab\tinside", {"tab\tinside"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(CommandLineConverter::convert(c.command), c.tokens);
    }
}

TEST(CommandLineConverter, UnmatchedQuoteNamesTheCommand) {
    const char* const commands[] = {"program.exe \"debug", "\"", "a \"b\" \"c"};
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        try {
            CommandLineConverter::convert(command);
            FAIL() << "no exception";
        } catch (const exceptions::IllegalArgumentException& e) {
            EXPECT_NE(dynamic_cast<const util::parser::CommandLineConverterException*>(&e), nullptr);
            EXPECT_EQ(e.getMessage(), std::string("Unmatched \" found when parsing command line: ") + command + " ");
        }
    }
}

TEST(CommandLine, OwnsNullTerminatedCopiesOfTheTokens) {
    std::string text = "tool.exe \"two words\" debug";
    util::CommandLine commandLine(text);
    text.assign(text.size(), 'x');  // the copies do not depend on the text
    ASSERT_EQ(commandLine.getArgc(), 3);
    char* const* argv = commandLine.getArgv();
    EXPECT_STREQ(argv[0], "tool.exe");
    EXPECT_STREQ(argv[1], "two words");
    EXPECT_STREQ(argv[2], "debug");
    EXPECT_EQ(argv[3], nullptr);

    util::CommandLine empty("");
    EXPECT_EQ(empty.getArgc(), 0);
    EXPECT_EQ(empty.getArgv()[0], nullptr);

    EXPECT_THROW(util::CommandLine("tool.exe \"debug"), util::parser::CommandLineConverterException);
}

TEST(ProcessCommandLine, JoinedArgumentsSplitBackIntoThemselves) {
    const Tokens argumentLists[] = {
        {"/opt/tool/tool.exe", "debug"},
        {"/home/u/My Programs/tool", "two words", "", "plain"},
        {"tool", "tab\there"},
    };
    for (const auto& arguments : argumentLists) {
        const std::string text = util::windowsCommandLineOf(arguments);
        SCOPED_TRACE(text);
        EXPECT_EQ(CommandLineConverter::convert(text), arguments);
    }
    EXPECT_EQ(util::windowsCommandLineOf({"a b", "c"}), "\"a b\" c");
}

TEST(ProcessCommandLine, StartsWithThisProgram) {
    const Tokens tokens = CommandLineConverter::convert(util::processCommandLine());
    ASSERT_FALSE(tokens.empty());
    EXPECT_TRUE(util::StringHelper::endsWith(tokens[0], "util_tests")) << tokens[0];
}

TEST(ArgumentParserHelpers, DirectoryOfIsUpToTheLastBackslash) {
    struct Case {
        const char* path;
        const char* directory;
    };
    const Case cases[] = {
        {"c:\\Program Files\\Tool\\tool.exe", "c:\\Program Files\\Tool\\"},
        {"\"c:\\Program Files\\Tool\\tool.exe\"", "c:\\Program Files\\Tool\\"},
        {"tool.exe", ""},
        {"", ""},
        {"c:\\", "c:\\"},
        {"\\\\server\\share\\x", "\\\\server\\share\\"},
        {"c:/unix/style", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(util::parser::ArgumentParserHelpers::directoryOf(c.path), c.directory);
    }
}

}  // namespace
