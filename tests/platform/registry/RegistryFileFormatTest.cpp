#include <gtest/gtest.h>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {
namespace {

const std::string HEADER = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";
const std::string KEY = "\n[Software\\\\Test] 1700427978\n#time=1da1b2c3d4e5f60\n";
constexpr std::uint64_t KEY_TIME = 0x1da1b2c3d4e5f60ull;
constexpr std::uint64_t NOW = 0x1db000000000000ull;

RegistryFile parsed(const std::string& text) {
    RegistryFile file;
    RegistryFileError error;
    EXPECT_TRUE(parseRegistryFile(text, NOW, file, error)) << "line " << error.line << ": " << error.reason;
    return file;
}

std::vector<std::uint8_t> utf16(std::u16string_view text) { return bytesOfUnits(text); }
std::vector<std::uint8_t> bytes(std::initializer_list<std::uint8_t> list) { return list; }

struct ValueCase {
    const char* label;
    std::string line;  // as Wine writes it
    std::u16string name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

TEST(RegistryFileFormat, EveryValueFormIsReadAndWrittenBackIdentically) {
    using namespace std::string_literals;
    const ValueCase cases[] = {
        {"string", R"("Name"="C:\\Program Files\\x.exe")", u"Name", TYPE_SZ, utf16(u"C:\\Program Files\\x.exe"s + u'\0')},
        {"default value", R"(@="default")", u"", TYPE_SZ, utf16(u"default"s + u'\0')},
        {"empty string", R"("e"="")", u"e", TYPE_SZ, utf16(u"\0"s)},
        {"expand string", R"("Path"=str(2):"%SystemRoot%\\system32")", u"Path", TYPE_EXPAND_SZ,
         utf16(u"%SystemRoot%\\system32"s + u'\0')},
        {"multi string", R"("m"=str(7):"a\0b\0")", u"m", TYPE_MULTI_SZ, utf16(u"a\0b\0\0"s)},
        {"dword", R"("d"=dword:0000002a)", u"d", TYPE_DWORD, bytes({0x2a, 0, 0, 0})},
        {"largest dword", R"("d"=dword:ffffffff)", u"d", TYPE_DWORD, bytes({0xff, 0xff, 0xff, 0xff})},
        {"binary", R"("b"=hex:0a,ff)", u"b", TYPE_BINARY, bytes({0x0a, 0xff})},
        {"empty binary", R"("b"=hex:)", u"b", TYPE_BINARY, {}},
        {"qword", R"("q"=hex(b):01,00,00,00,00,00,00,00)", u"q", TYPE_QWORD, bytes({1, 0, 0, 0, 0, 0, 0, 0})},
        {"none", R"("n"=hex(0):)", u"n", TYPE_NONE, {}},
        {"empty string data is not text", R"("z"=hex(1):)", u"z", TYPE_SZ, {}},
        {"string without its zero", R"("nt"=hex(1):41,00)", u"nt", TYPE_SZ, bytes({0x41, 0})},
        {"odd-sized string", R"("odd"=hex(2):41,00,42)", u"odd", TYPE_EXPAND_SZ, bytes({0x41, 0, 0x42})},
        {"short dword", R"("d3"=hex(4):01,02,03)", u"d3", TYPE_DWORD, bytes({1, 2, 3})},
        {"big-endian dword", R"("be"=hex(5):00,00,00,01)", u"be", TYPE_DWORD_BIG_ENDIAN, bytes({0, 0, 0, 1})},
        {"large type number", R"(@=hex(ffff0007):03,00,00,00)", u"", 0xffff0007u, bytes({3, 0, 0, 0})},
        {"quote and backslash", R"("a\"b\\c"="say \"hi\"\\")", u"a\"b\\c", TYPE_SZ, utf16(u"say \"hi\"\\"s + u'\0')},
        {"C escapes", R"("c"="\a\b\t\n\v\f\r\e")", u"c", TYPE_SZ, utf16(u"\a\b\t\n\v\f\r\x1b\0"s)},
        {"octal escapes", R"("o"="\1x\0012\37")", u"o", TYPE_SZ, utf16(u"\x01x\x01\x32\x1f\0"s)},
        {"brackets in a value", R"("[v]"="[x]")", u"[v]", TYPE_SZ, utf16(u"[x]\0"s)},
        {"non-ASCII name and data", R"("caf\xe9"="\x20ac 5 \x00e9a")", u"caf\u00e9", TYPE_SZ,
         utf16(u"\u20ac 5 \u00e9a\0"s)},
        {"surrogate pair", R"("e"="\xd83d\xde00")", u"e", TYPE_SZ, utf16(u"\xd83d\xde00\0"s)},
        {"wrapped after a long name",
         "\"HardwareInformation.AdapterString\"=hex:57,00,69,00,6e,00,65,00,20,00,41,00,64,\\\n"
         "  00,61,00,70,00,74,00,65,00,72,00,00,00",
         u"HardwareInformation.AdapterString", TYPE_BINARY, utf16(u"Wine Adapter\0"s)},
        {"wrapped default value",
         "@=hex(ffff0012):5c,00,5c,00,2e,00,5c,00,44,00,49,00,53,00,50,00,4c,00,41,00,59,\\\n  00,31,00,00,00",
         u"", 0xffff0012u, utf16(u"\\\\.\\DISPLAY1\0"s)},
        {"wrapped over three lines",
         "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,\\\n"
         "  00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,\\\n"
         "  74,00,77,00,61,00,72,00,65,00,5c,00,43,00,6c,00,61,00,73,00,73,00,65,00,73,\\\n"
         "  00,5c,00,41,00,70,00,70,00,49,00,64,00",
         u"SymbolicLinkValue", TYPE_LINK, utf16(u"\\Registry\\Machine\\Software\\Classes\\AppId")},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        const std::string text = HEADER + KEY + entry.line + "\n";
        const RegistryFile file = parsed(text);
        const RegistryNode* key = findPath(const_cast<RegistryNode&>(file.root), {u"Software", u"Test"});
        ASSERT_NE(key, nullptr);
        ASSERT_EQ(key->values().size(), 1u);
        const StoredValue& value = key->values().front();
        EXPECT_EQ(value.name, entry.name);
        EXPECT_EQ(value.type, entry.type);
        EXPECT_EQ(value.data, entry.data);
        EXPECT_EQ(writeRegistryFile(file), text);
    }
}

TEST(RegistryFileFormat, KeysAreWrittenAsWineWritesThem) {
    const std::string text = HEADER +
                             "\n[Software\\\\A\\\\Leaf] 1700427978\n#time=1da1b2c3d4e5f60\n"
                             "\n[Software\\\\B] 1700427978\n#time=1da1b2c3d4e5f60\n#class=\"My \\\"class\\\"\"\n\"v\"=\"1\"\n"
                             "\n[Software\\\\B\\\\x\\[1\\]] 1700427978\n#time=1da1b2c3d4e5f60\n@=\"bracketed\"\n"
                             "\n[Software\\\\caf\\xe9\\\\\\x20ac] 1700427978\n#time=1da1b2c3d4e5f60\n"
                             "\n[Software\\\\Link] 1700427978\n#time=1da1b2c3d4e5f60\n#link\n"
                             "\"SymbolicLinkValue\"=hex(6):5c,00,41,00\n"
                             "\n[Software\\\\Other] 1700427978\n#time=1da1b2c3d4e5f60\n#flags=7\n;note\n\"x\"=dword:00000001\n";
    const RegistryFile file = parsed(text);
    EXPECT_EQ(writeRegistryFile(file), text);

    RegistryNode& root = const_cast<RegistryNode&>(file.root);
    // Software and Software\A carry nothing of their own: they exist through their subkeys.
    ASSERT_NE(findPath(root, {u"Software", u"A"}), nullptr);
    EXPECT_FALSE(findPath(root, {u"Software", u"A"})->attributes().listed);
    EXPECT_EQ(findPath(root, {u"Software", u"B"})->attributes().className, std::u16string(u"My \"class\""));
    EXPECT_TRUE(findPath(root, {u"Software", u"Link"})->attributes().isLink);
    EXPECT_NE(findPath(root, {u"Software", u"B", u"x[1]"}), nullptr);
    EXPECT_NE(findPath(root, {u"SOFTWARE", u"CAF\u00c9", u"\u20ac"}), nullptr);
    EXPECT_EQ(findPath(root, {u"Software", u"Other"})->attributes().otherLines,
              (std::vector<std::string>{"#flags=7", ";note"}));
    EXPECT_EQ(findPath(root, {u"Software", u"Leaf"}), nullptr);
    EXPECT_EQ(findPath(root, {u"Software", u"A", u"Leaf"})->attributes().filetime, KEY_TIME);
}

TEST(RegistryFileFormat, OtherLayoutsAreReadAndWrittenInWinesLayout) {
    const std::string text =
        "WINE REGISTRY Version 2\r\n;; All keys relative to REGISTRY\\\\Machine\r\n\r\n\r\n#arch=win32\r\n\r\n\r\n"
        "[software\\\\Zeta] 1700427978\r\n\"b\" = \"2\"\r\n\"A\"=\"1\"\r\n\"b\"=\"3\"\r\n"
        "  [Software\\\\alpha]\r\n#time=1da1b2c3d4e5f60\r\n\"raw\"=\"caf\xc3\xa9\"\r\n"
        "\"hex\"=hex:1,A,\\\r\n   ff ,\\\r\n\t00\r\n\"d\"=dword:2a\r\n";
    const std::string expected =
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n\n#arch=win32\n"
        "\n[software\\\\alpha] 1700427978\n#time=1da1b2c3d4e5f60\n\"d\"=dword:0000002a\n\"hex\"=hex:01,0a,ff,00\n"
        "\"raw\"=\"caf\\xe9\"\n"
        "\n[software\\\\Zeta] 1700427978\n#time=1da1b2c3d314100\n\"A\"=\"1\"\n\"b\"=\"3\"\n";
    EXPECT_EQ(writeRegistryFile(parsed(text)), expected);
}

TEST(RegistryFileFormat, KeptLinesEndingInCarriageReturnsStayTheSameOverRepeatedWrites) {
    // Header lines, unknown # lines and comments are kept as they are; a stray
    // carriage return at their end went on shrinking by one on every read and write,
    // and a # line that became one the registry reads (#link) moved.
    const std::string text = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\r\r\r\n"
                             "\n#arch=win64\n\n[Software\\\\Test] 1700427978\n#time=1da1b2c3d4e5f60\n"
                             "#unknown\r\r\n;comment\r\r\r\r\n#link\r\r\n\"a\"=\"b\"\n";
    const std::string expected = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n"
                                 "\n#arch=win64\n\n[Software\\\\Test] 1700427978\n#time=1da1b2c3d4e5f60\n"
                                 "#link\n#unknown\n;comment\n\"a\"=\"b\"\n";
    const std::string once = writeRegistryFile(parsed(text));
    EXPECT_EQ(once, expected);
    EXPECT_EQ(writeRegistryFile(parsed(once)), once);
}

TEST(RegistryFileFormat, KeysWithoutATimeTakeTheTimeOfReading) {
    const RegistryFile file = parsed(HEADER + "\n[Software]\n\"a\"=\"b\"\n");
    const RegistryNode* key = file.root.findSubkey(u"software");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->attributes().filetime, NOW);
}

TEST(RegistryFileFormat, AFileWithoutKeysKeepsItsHeader) {
    const std::string text = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n\n#arch=win64\n";
    EXPECT_EQ(writeRegistryFile(parsed(text)), text);
    EXPECT_EQ(writeRegistryFile(emptyRegistryFile("REGISTRY\\\\User\\\\.Default", "#arch=win64")), text);
    EXPECT_EQ(writeRegistryFile(emptyRegistryFile("REGISTRY\\\\Machine", "")),
              "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n");
}

TEST(RegistryFileFormat, AFileThatCannotBeParsedNamesItsLineAndIsNotTaken) {
    struct Case {
        const char* label;
        std::string text;
        std::size_t line;
        const char* reason;
    };
    const std::string keyLines = HEADER + KEY;  // the key line is line 6
    const Case cases[] = {
        {"empty file", "", 1, "the file does not start with \"WINE REGISTRY Version 2\""},
        {"other format", "Windows Registry Editor Version 5.00\n", 1,
         "the file does not start with \"WINE REGISTRY Version 2\""},
        {"value before any key", HEADER + "\"a\"=\"b\"\n", 5, "a value comes before the first key"},
        {"text in the header", "WINE REGISTRY Version 2\nhello\n", 2, "the line is not understood"},
        {"open key name", HEADER + "\n[Software\\\\Test\n", 6, "the key name is not closed by ']'"},
        {"open value name", keyLines + "\"name=x\n", 8, "the value name is not closed by '\"'"},
        {"no equals sign", keyLines + "\"a\" \"b\"\n", 8, "'=' is missing after the value name"},
        {"open string", keyLines + "\"a\"=\"b\n", 8, "the string is not closed by '\"'"},
        {"text after a string", keyLines + "\"a\"=\"b\" c\n", 8, "there is more text after the value"},
        {"unknown data", keyLines + "\"a\"=sz:\"b\"\n", 8, "the value data has an unknown form"},
        {"no data", keyLines + "\"a\"=\n", 8, "the value data has an unknown form"},
        {"broken str type", keyLines + "\"a\"=str(2)\"b\"\n", 8, "the value data has an unknown form"},
        {"broken hex type", keyLines + "\"a\"=hex(q):00\n", 8, "the value data has an unknown form"},
        {"dword too long", keyLines + "\"a\"=dword:123456789\n", 8, "the dword data is not up to 8 hexadecimal digits"},
        {"dword empty", keyLines + "\"a\"=dword:\n", 8, "the dword data is not up to 8 hexadecimal digits"},
        {"bad hex byte", keyLines + "\"a\"=hex:0a,zz\n", 8, "the hexadecimal data is not valid"},
        {"hex without commas", keyLines + "\"a\"=hex:0a 0b\n", 8, "the hexadecimal data is not valid"},
        {"hex goes past the end", keyLines + "\"a\"=hex:0a,\\\n  0b,\\\n", 9,
         "the hexadecimal data goes on past the end of the file"},
        {"bad time", keyLines + "#time=later\n", 8, "the #time line is not valid"},
        {"open class name", keyLines + "#class=\"x\n", 8, "the class name is not closed by '\"'"},
        {"stray text", keyLines + "\"a\"=\"b\"\ngarbage\n", 9, "the line is not understood"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.label);
        RegistryFile file = parsed(HEADER + KEY + "\"kept\"=\"1\"\n");
        const std::string before = writeRegistryFile(file);
        RegistryFileError error;
        EXPECT_FALSE(parseRegistryFile(entry.text, NOW, file, error));
        EXPECT_EQ(error.line, entry.line);
        EXPECT_EQ(error.reason, entry.reason);
        EXPECT_EQ(writeRegistryFile(file), before) << "a failed parse leaves the file as it was";
    }
}

}  // namespace
}  // namespace windows::registry::tree
