// How the HOSTS file's bytes become lines and how each line is classified.
#include <gtest/gtest.h>

#include "engine/plugins/HostsLine.h"

namespace com::quorvex::products::tamblix {
namespace {

using Octets = std::array<std::uint8_t, 4>;

struct LineCase {
    const char* line;
    int kind;
    const char* host;
    const char* address;
    Octets octets;
};

const LineCase LINES[] = {
    {"", HostsEntry::BLANK, "", "", {}},
    {"   ", HostsEntry::BLANK, "", "", {}},
    {" \t \t", HostsEntry::BLANK, "", "", {}},
    {"# a comment 1.2.3.4 x", HostsEntry::COMMENT, "", "", {}},
    {"  \t# after blanks", HostsEntry::COMMENT, "", "", {}},
    {"127.0.0.1 localhost", HostsEntry::MAPPING, "localhost", "127.0.0.1", {127, 0, 0, 1}},
    // Only the first name counts; the aliases stay in the line.
    {"127.0.0.1 a b", HostsEntry::MAPPING, "a", "127.0.0.1", {127, 0, 0, 1}},
    {"   10.0.0.1\tadhost  # note", HostsEntry::MAPPING, "adhost", "10.0.0.1", {10, 0, 0, 1}},
    {"10.0.0.1\tadhost#note", HostsEntry::MAPPING, "adhost", "10.0.0.1", {10, 0, 0, 1}},
    {"0.0.0.0 x", HostsEntry::MAPPING, "x", "0.0.0.0", {0, 0, 0, 0}},
    {"00.000.0.255 x", HostsEntry::MAPPING, "x", "00.000.0.255", {0, 0, 0, 255}},
    {"001.02.0003.4 x", HostsEntry::MAPPING, "x", "001.02.0003.4", {1, 2, 3, 4}},
    {"999.1.1.1 x", HostsEntry::INVALID, "x", "999.1.1.1", {}},
    {"256.1.1.1 x", HostsEntry::INVALID, "x", "256.1.1.1", {}},
    {"0000.1.2.3 x", HostsEntry::INVALID, "x", "0000.1.2.3", {}},
    {"1.2.3.99999999999999999999 x", HostsEntry::INVALID, "x", "1.2.3.99999999999999999999", {}},
    // The expression searches the line: here it matches from the "1" on.
    {"01a.2.3.4 x", HostsEntry::INVALID, "", "", {}},
    {"a1.2.3.4 x", HostsEntry::MAPPING, "x", "1.2.3.4", {1, 2, 3, 4}},
    {"1.2.3.4.5 x", HostsEntry::MAPPING, "x", "2.3.4.5", {2, 3, 4, 5}},
    {"1.2.3.4", HostsEntry::INVALID, "", "", {}},
    {"1.2.3.4 ", HostsEntry::INVALID, "", "", {}},
    {"1.2.3.4 #x", HostsEntry::INVALID, "", "", {}},
    {"localhost 127.0.0.1", HostsEntry::INVALID, "", "", {}},
    {"1.2.3.4x y", HostsEntry::INVALID, "", "", {}},
    // White space other than blanks and tabs, as the expression's \s reads it.
    {"1.2.3.4 \vx", HostsEntry::MAPPING, "x", "1.2.3.4", {1, 2, 3, 4}},
    {"1.2.3.4 \v#", HostsEntry::MAPPING, "\v", "1.2.3.4", {1, 2, 3, 4}},
    {"\f1.2.3.4 x", HostsEntry::MAPPING, "x", "1.2.3.4", {1, 2, 3, 4}},
    {"1.2.3.4 x\r", HostsEntry::MAPPING, "x\r", "1.2.3.4", {1, 2, 3, 4}},
    // Letter case and bytes outside ASCII are kept as written.
    {"1.2.3.4 Ads.Example.COM", HostsEntry::MAPPING, "Ads.Example.COM", "1.2.3.4", {1, 2, 3, 4}},
    {"1.2.3.4 \xc3\xa9t\xc3\xa9.fr", HostsEntry::MAPPING, "\xc3\xa9t\xc3\xa9.fr", "1.2.3.4", {1, 2, 3, 4}},
    {"1.2.3.4 \xa0x", HostsEntry::MAPPING, "\xa0x", "1.2.3.4", {1, 2, 3, 4}},
};

TEST(HostsLine, EachLineIsClassifiedAsTheExpressionReadsIt) {
    for (const LineCase& c : LINES) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.line)));
        const HostsEntry entry = classifyHostsLine(c.line);
        EXPECT_EQ(entry.kind, c.kind);
        EXPECT_EQ(entry.host, c.host);
        EXPECT_EQ(entry.address, c.address);
        EXPECT_EQ(entry.octets, c.octets);
        EXPECT_EQ(entry.line, c.line);
        if (c.kind == HostsEntry::MAPPING || c.kind == HostsEntry::INVALID) {
            const HostsEntry byExpression = classifyHostsLineByExpression(c.line);
            EXPECT_EQ(byExpression, entry);
            EXPECT_EQ(byExpression.octets, entry.octets);
        }
    }
}

TEST(HostsLine, OctetsAreAtMostThreeZerosOrADecimalNumberUpTo255) {
    const std::pair<const char*, std::optional<std::uint8_t>> cases[] = {
        {"0", 0},      {"00", 0},     {"000", 0},         {"0000", std::nullopt}, {"1", 1},
        {"0255", 255}, {"255", 255},  {"256", std::nullopt}, {"00000000001", 1},   {"", std::nullopt},
        {"1000", std::nullopt},
    };
    for (const auto& [digits, octet] : cases) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(hostsOctet(digits), octet);
    }
}

TEST(HostsLine, LineBreaksOfEveryKindBecomeLineFeedsAndZeroBytesGo) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb\r", "a\nb\n"},
        {"a\r\r\nb", "a\n\nb"},
        {"a\n\rb", "a\n\nb"},
        {std::string("a\r\0\nb", 5), "a\n\nb"},
        {std::string("1.2.\0003.4 x\0", 12), "1.2.3.4 x"},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(normaliseHostsText(std::vector<char>(bytes.begin(), bytes.end())), text);
    }
}

TEST(HostsLine, EveryLineIsWrittenWithACarriageReturnAndLineFeed) {
    std::vector<HostsEntry> lines(3);
    lines[0].line = "# top";
    lines[2].line = "1.2.3.4 x";
    EXPECT_EQ(hostsFileText(lines), "# top\r\n\r\n1.2.3.4 x\r\n");
    EXPECT_EQ(hostsFileText({}), "");
}

}  // namespace
}  // namespace com::quorvex::products::tamblix
