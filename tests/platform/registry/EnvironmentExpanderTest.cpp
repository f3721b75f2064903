#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/registry/EnvironmentExpander.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/VariableEnvironment.h"

namespace windows::info {
namespace {

// A platform call that gives scripted answers, one per call.
class ScriptedStrings : public EnvironmentStrings {
public:
    struct Answer {
        std::uint32_t result;
        const char* text;  // written when the buffer allows
        int lastError;
    };
    explicit ScriptedStrings(std::vector<Answer> answers) : _answers(std::move(answers)) {}

    std::uint32_t expandEnvironmentStrings(const char*, char* buffer, std::uint32_t size) const override {
        const Answer answer = _answers.at(_calls++);
        if (buffer && answer.text && std::strlen(answer.text) < size) std::strcpy(buffer, answer.text);
        platform::setLastError(answer.lastError);
        return answer.result;
    }
    int calls() const { return _calls; }

private:
    std::vector<Answer> _answers;
    mutable int _calls = 0;
};

class EnvironmentExpansion : public ::testing::Test {
protected:
    EnvironmentExpansion() {
        _variables.set("SystemRoot", "C:\\windows");
        _variables.set("user", "bob");
        _variables.set("EMPTY", "");
    }
    std::string expand(const std::string& text) { return _expander.expand(text); }

    EnvironmentVariables _variables;
    VariableEnvironmentStrings _strings{_variables.lookup()};
    EnvironmentExpander _expander{_strings};
};

TEST_F(EnvironmentExpansion, ReplacesDefinedNamesAndKeepsTheRestAsWritten) {
    struct Case {
        const char* source;
        const char* expected;
    };
    const Case cases[] = {
        {"%SystemRoot%\\system32", "C:\\windows\\system32"},
        {"%SYSTEMROOT%|%systemroot%", "C:\\windows|C:\\windows"},
        {"%UNDEFINED%\\x", "%UNDEFINED%\\x"},
        {"%UNDEFINED% and %user%", "%UNDEFINED% and bob"},
        {"a%EMPTY%b", "ab"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"50% of %user%", "50% of bob"},
        {"%user%%user%", "bobbob"},
        {"no names", "no names"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.source);
        EXPECT_EQ(expand(entry.source), entry.expected);
    }
}

TEST_F(EnvironmentExpansion, TextsOfAtMostOneCharacterAreNotExpanded) {
    const ScriptedStrings failing({});
    const EnvironmentExpander expander(failing);
    EXPECT_EQ(expander.expand(""), "");
    EXPECT_EQ(expander.expand("%"), "%");
    EXPECT_EQ(failing.calls(), 0);
}

TEST_F(EnvironmentExpansion, TextsLongerThanThePlatformLimitAreRefused) {
    EXPECT_EQ(expand(std::string(32763, 'a')), std::string(32763, 'a'));
    EXPECT_EQ(expand("%user%" + std::string(32757, 'a')), "bob" + std::string(32757, 'a'));
    try {
        expand(std::string(32764, 'a'));
        FAIL() << "no exception";
    } catch (const BufferExpandException& e) {
        EXPECT_EQ(e.getMessage(),
                  "The source buffer is larger(32764) than 32767 bytes, which is the upper limit for the windows "
                  "expand function.");
    }
}

TEST(EnvironmentExpanderFailures, EachFailureOfThePlatformCallHasItsText) {
    struct Case {
        const char* label;
        std::vector<ScriptedStrings::Answer> answers;
        std::string expected;
    };
    const Case cases[] = {
        {"size unknown",
         {{0, nullptr, platform::winerror::ACCESS_DENIED}},
         "Error determining size of environment variable using 'ExpandEnvironmentStrings'.\n"
         "source string size: 5\nsource variable: %A%bc\nSystem error message: Access is denied.\r\n"},
        {"expansion failed",
         {{10, nullptr, 0}, {0, nullptr, platform::winerror::NOT_ENOUGH_MEMORY}},
         "Error when expanding environment variable using 'ExpandEnvironmentStrings'.\n"
         "source string size: 5\nsource string: %A%bc\nExpanded buffer size: 70\nSystem error code: 8\n"
         "System error message: There is not enough memory to complete the operation.\r\n"},
        {"result may be cut",
         {{10, nullptr, 0}, {69, "grown", 0}},
         "Problems expanding environmental varible.\n"
         "Suggested expanded size from 'ExpandEnvironmentStrings' (*2 + 50): 70\n"
         "Actual expanded size from 'ExpandEnvironmentStrings': 69\n"
         "source string size: 5\nsource string: %A%bc\nExpanded string size: 5\nExpanded string: grown\n"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        const ScriptedStrings strings(entry.answers);
        try {
            EnvironmentExpander(strings).expand("%A%bc");
            ADD_FAILURE() << "no exception";
        } catch (const BufferExpandException&) {
            ADD_FAILURE() << "not a buffer failure";
        } catch (const ExpandException& e) {
            EXPECT_EQ(e.getMessage(), entry.expected);
        }
    }
    // One character less than the buffer is still a whole result.
    const ScriptedStrings justFits({{10, nullptr, 0}, {68, "whole", 0}});
    EXPECT_EQ(EnvironmentExpander(justFits).expand("%A%bc"), "whole");
}

TEST(VariableEnvironmentStrings, AnswersLikeThePlatformCall) {
    EnvironmentVariables variables;
    variables.set("A", "1234");
    const VariableEnvironmentStrings strings(variables.lookup());
    EXPECT_EQ(strings.expandEnvironmentStrings("x%A%", nullptr, 0), 6u);
    char small[3] = {'#', '#', '#'};
    EXPECT_EQ(strings.expandEnvironmentStrings("x%A%", small, 3), 6u);
    EXPECT_EQ(small[0], '#') << "a buffer that is too small stays untouched";
    char buffer[6];
    EXPECT_EQ(strings.expandEnvironmentStrings("x%A%", buffer, 6), 6u);
    EXPECT_STREQ(buffer, "x1234");
    EXPECT_EQ(strings.expandEnvironmentStrings(nullptr, buffer, 6), 0u);
    EXPECT_EQ(platform::getLastError(), platform::winerror::INVALID_PARAMETER);
}

}  // namespace
}  // namespace windows::info
