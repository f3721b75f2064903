#include <gtest/gtest.h>

#include <optional>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/registry/VariableEnvironment.h"
#include "tests/support/TempDir.h"

namespace windows::registry {
namespace {

using testing_support::TempDir;
using testing_support::WorkingDirectory;

class RegistryConversion : public ::testing::Test {
protected:
    RegistryConversion() {
        _variables.set("SystemRoot", "C:\\windows");
        _variables.set("USERPROFILE", "C:\\users\\anna");
    }

    std::optional<RegistryData> convert(std::uint32_t type, const std::string& bytes) {
        return convertRegistryValue(type, bytes, _expander);
    }

private:
    info::EnvironmentVariables _variables;
    info::VariableEnvironmentStrings _strings{_variables.lookup()};
    info::EnvironmentExpander _expander{_strings};
};

TEST_F(RegistryConversion, ConvertsEachSupportedTypeAsTheNarrowCallsReportIt) {
    using namespace std::string_literals;
    struct Case {
        const char* label;
        std::uint32_t type;
        std::string bytes;
        RegistryData expected;
    };
    const Case cases[] = {
        {"string with its zero", TYPE_SZ, "abc\0"s, RegistryData("abc"s)},
        {"string without a zero keeps all bytes", TYPE_SZ, "abc"s, RegistryData("abc"s)},
        {"string loses exactly one zero", TYPE_SZ, "ab\0\0"s, RegistryData("ab\0"s)},
        {"empty string", TYPE_SZ, ""s, RegistryData(""s)},
        {"just the zero", TYPE_SZ, "\0"s, RegistryData(""s)},
        {"multi string keeps its inner zeros", TYPE_MULTI_SZ, "a\0b\0\0"s, RegistryData("a\0b\0"s)},
        {"empty multi string", TYPE_MULTI_SZ, ""s, RegistryData(""s)},
        {"expand string is expanded", TYPE_EXPAND_SZ, "%SystemRoot%\\system32\0"s, RegistryData("C:\\windows\\system32"s)},
        {"expand string ends at its first zero", TYPE_EXPAND_SZ, "%USERPROFILE%\0rest\0"s, RegistryData("C:\\users\\anna"s)},
        {"undefined names stay", TYPE_EXPAND_SZ, "%NOPE%\\x\0"s, RegistryData("%NOPE%\\x"s)},
        {"empty expand string", TYPE_EXPAND_SZ, ""s, RegistryData(""s)},
        {"DWORD in memory order", TYPE_DWORD, "\x01\x02\x03\x04"s, RegistryData(0x04030201u)},
        {"DWORD of 3 bytes", TYPE_DWORD, "\x01\x02\x03"s, RegistryData()},
        {"DWORD of 8 bytes", TYPE_DWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s, RegistryData()},
        {"DWORD of no bytes", TYPE_DWORD, ""s, RegistryData()},
        {"binary keeps every byte", TYPE_BINARY, "\x0A\xFF\0"s, RegistryData(std::vector<std::uint8_t>{0x0A, 0xFF, 0})},
        {"empty binary", TYPE_BINARY, ""s, RegistryData(std::vector<std::uint8_t>{})},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        const auto data = convert(entry.type, entry.bytes);
        ASSERT_TRUE(data.has_value());
        EXPECT_TRUE(*data == entry.expected) << data->getType();
    }
    EXPECT_EQ(convert(TYPE_MULTI_SZ, "a\0b\0\0"s)->getString().size(), 4u);
    EXPECT_THROW(convert(TYPE_DWORD, "\x01\x02\x03"s)->toString(), RegistryUnexpectedTypeException);
}

TEST_F(RegistryConversion, OtherTypesAreNotSupported) {
    const std::uint32_t unsupported[] = {TYPE_NONE, TYPE_DWORD_BIG_ENDIAN, TYPE_LINK, 8, 9, 10, TYPE_QWORD, 0xFFFF};
    for (const auto type : unsupported) {
        SCOPED_TRACE(type);
        EXPECT_FALSE(isSupportedType(type));
        EXPECT_FALSE(convert(type, std::string("\x01\x02\x03\x04", 4)).has_value());
    }
}

TEST_F(RegistryConversion, AnExpandStringWithoutItsZeroIsReportedAndReadToItsEnd) {
    TempDir scratch;
    WorkingDirectory inScratch(scratch.path());
    const auto data = convert(TYPE_EXPAND_SZ, "%SystemRoot%\\x");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->getString(), "C:\\windows\\x");
    EXPECT_NE(scratch.read("assertion.txt").find("Assertion failed. Message: bytes.back() == '\\0'"), std::string::npos);
}

// The registry's letter case rule, for names the layers above compare themselves.
TEST(RegistryNameFold, GivesEqualTextsExactlyForNamesTheRegistryTakesAsOne) {
    EXPECT_EQ(registryNameFold("Example.COM"), registryNameFold("example.com"));
    EXPECT_EQ(registryNameFold("\xC3\x84rger.de"), registryNameFold("\xC3\xA4rger.de"));  // Ä and ä
    EXPECT_EQ(registryNameFold("Range1"), "range1");
    EXPECT_NE(registryNameFold("a.b"), registryNameFold("a_b"));
    EXPECT_EQ(registryNameFold(std::string("A\0B", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace windows::registry
