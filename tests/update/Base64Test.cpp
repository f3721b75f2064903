#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/signature/Base64.h"

namespace {

using Bytes = std::vector<char>;
using encryption::pki::decodeBase64;
using encryption::pki::encodeBase64;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(Base64, EncodesTheStandardVectorsWithPadding) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {
        {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(encodeBase64(bytesOf(c.bytes)), c.text);
    }
    // The two characters past the letters and digits, and bytes above 127.
    EXPECT_EQ(encodeBase64(Bytes{'\xFB', '\xFF', '\xBF'}), "+/+/");
}

TEST(Base64, DecodingTheEncodingGivesBackEveryByte) {
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(255 - i));
    for (std::size_t length = 0; length <= 6; ++length) {
        const Bytes part(all.begin(), all.begin() + length);
        Bytes decoded;
        EXPECT_TRUE(decodeBase64(encodeBase64(part), decoded));
        EXPECT_EQ(decoded, part) << "length " << length;
    }
    Bytes decoded;
    EXPECT_TRUE(decodeBase64(encodeBase64(all), decoded));
    EXPECT_EQ(decoded, all);
}

TEST(Base64, DecoderStopsAndFailsByTheRulesOfItsGroups) {
    const struct {
        const char* name;
        std::string text;
        bool decoded;
        std::string bytes;
    } cases[] = {
        {"empty text", "", true, ""},
        {"whole groups", "Zm9vYmFy", true, "foobar"},
        {"a following tag ends the value", "Zm9vYmFy</SignatureValue>", true, "foobar"},
        {"a line break ends the value", "Zm9v\nYmFy", true, "foo"},
        {"white space before the value leaves it empty", " Zm9v", true, ""},
        {"padding first leaves it empty", "=Zm9", true, ""},
        {"one padding yields two bytes and ends", "Zm8=Zm9v", true, "fo"},
        {"two paddings yield one byte and end", "Zg==Zm9v", true, "f"},
        {"second character not in the alphabet", "Z!9v", false, ""},
        {"second character is padding", "Zm9vY===", false, ""},
        {"third character not in the alphabet", "Zm-v", false, ""},
        {"fourth character not in the alphabet", "Zm9.", false, ""},
        {"fourth character not padding after a padded third", "Zg=v", false, ""},
        {"a group cut short after one character", "Zm9vY", false, ""},
        {"a group cut short after two characters", "Zm", false, ""},
        {"a group cut short after three characters", "Zm9", false, ""},
        {"padding cut short", "Zg=", false, ""},
        {"a later group fails after good ones", "Zm9vYm\nFy", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = bytesOf("left over");
        EXPECT_EQ(decodeBase64(c.text, bytes), c.decoded);
        EXPECT_EQ(bytes, bytesOf(c.bytes));
    }
}

}  // namespace
