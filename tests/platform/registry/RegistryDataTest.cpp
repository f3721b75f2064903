#include <gtest/gtest.h>

#include <functional>

#include "platform/registry/RegistryData.h"
#include "platform/registry/RegistryExceptions.h"

namespace windows::registry {
namespace {

TEST(RegistryData, KnowsItsTypeAndPrintsItself) {
    struct Case {
        const char* label;
        RegistryData data;
        RegistryDataType type;
        const char* printed;
    };
    const Case cases[] = {
        {"string", RegistryData(std::string("C:\\a b")), REGISTRY_DATA_STRING, "C:\\a b"},
        {"empty string", RegistryData(std::string()), REGISTRY_DATA_STRING, ""},
        {"zero", RegistryData(0u), REGISTRY_DATA_DWORD, "0"},
        {"largest DWORD", RegistryData(4294967295u), REGISTRY_DATA_DWORD, "4294967295"},
        {"binary", RegistryData(std::vector<std::uint8_t>{0x0A, 0xFF}), REGISTRY_DATA_BINARY, "0AFF"},
        {"every digit", RegistryData(std::vector<std::uint8_t>{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}),
         REGISTRY_DATA_BINARY, "0123456789ABCDEF"},
        {"no bytes", RegistryData(std::vector<std::uint8_t>{}), REGISTRY_DATA_BINARY, ""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        EXPECT_EQ(entry.data.getType(), entry.type);
        EXPECT_EQ(entry.data.isString(), entry.type == REGISTRY_DATA_STRING);
        EXPECT_EQ(entry.data.isDword(), entry.type == REGISTRY_DATA_DWORD);
        EXPECT_EQ(entry.data.isBinary(), entry.type == REGISTRY_DATA_BINARY);
        EXPECT_FALSE(entry.data.isInvalid());
        EXPECT_EQ(entry.data.toString(), entry.printed);
    }
    EXPECT_EQ(RegistryData(std::string("x")).getString(), "x");
    EXPECT_EQ(RegistryData(7u).getDword(), 7u);
    EXPECT_EQ(RegistryData(std::vector<std::uint8_t>{1, 2}).getBinary(), (std::vector<std::uint8_t>{1, 2}));
}

TEST(RegistryData, GettersOfAnotherTypeAndPrintingInvalidDataThrow) {
    const char* const STRING_TEXT = "Tried to get registry string data from a non string type.";
    const char* const DWORD_TEXT = "Tried to get registry DWORD data from a non DWORD type.";
    const char* const BINARY_TEXT = "Tried to get registry binary data from a non binary type.";
    struct Case {
        const char* label;
        std::function<void()> call;
        const char* text;
    };
    const RegistryData text(std::string("a"));
    const RegistryData number(1u);
    const RegistryData bytes(std::vector<std::uint8_t>{1});
    const RegistryData invalid;
    const Case cases[] = {
        {"string of a DWORD", [&] { number.getString(); }, STRING_TEXT},
        {"string of binary", [&] { bytes.getString(); }, STRING_TEXT},
        {"string of invalid", [&] { invalid.getString(); }, STRING_TEXT},
        {"DWORD of a string", [&] { text.getDword(); }, DWORD_TEXT},
        {"DWORD of binary", [&] { bytes.getDword(); }, DWORD_TEXT},
        {"binary of a string", [&] { text.getBinary(); }, BINARY_TEXT},
        {"binary of invalid", [&] { invalid.getBinary(); }, BINARY_TEXT},
        {"invalid printed", [&] { invalid.toString(); },
         "Cannot convert registry data of the REGISTRY_DATA_INVALID type to a string."},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        try {
            entry.call();
            ADD_FAILURE() << "no exception";
        } catch (const RegistryUnexpectedTypeException& e) {
            EXPECT_EQ(e.getMessage(), entry.text);
        }
    }
    EXPECT_TRUE(invalid.isInvalid());
    EXPECT_EQ(invalid.getType(), REGISTRY_DATA_INVALID);
}

}  // namespace
}  // namespace windows::registry
