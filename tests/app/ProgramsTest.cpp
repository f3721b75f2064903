#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/JsonValue.h"
#include "tests/app/ProgramRun.h"
#include "tests/support/TempDir.h"

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const std::string DEFAULT_CAPTION = "Tamblix Derivate Application - Product name not set yet Error";

// A scratch copy of the build's demo product, in a folder whose name holds a
// blank, and of its prefix. The programs run from another folder.
class ProgramsTest : public ::testing::Test {
protected:
    void SetUp() override { copyDemoProduct(product, prefix); }

    ProgramResult cli(const std::vector<std::string>& arguments) {
        return runProgram(product / "tamblix-cli", arguments, scratch.path(), prefix);
    }
    ProgramResult app(const std::vector<std::string>& arguments) {
        return runProgram(product / "tamblix", arguments, scratch.path(), prefix);
    }

    TempDir scratch;
    fs::path product = scratch.path() / "Demo Product";
    fs::path prefix = scratch.path() / "prefix";
};

TEST_F(ProgramsTest, ScanOfTheDemoInNormalModeAsJson) {
    const ProgramResult run = cli({"scan", "--json"});
    ASSERT_EQ(run.exitCode, 1) << run.errors;
    const JsonValue report = parseJson(run.output);
    EXPECT_EQ(report.memberOrder,
              (std::vector<std::string>{"command", "mode", "state", "error", "product", "suggestions", "registry",
                                        "hosts", "files", "scanProblems", "fixProblems", "logFile"}));
    EXPECT_EQ(report["command"].text, "scan");
    EXPECT_EQ(report["mode"].text, "normal");
    EXPECT_EQ(report["state"].text, "scan-finished");
    EXPECT_EQ(report["error"].kind, JsonValue::NUL);
    EXPECT_EQ(report["product"]["name"].text, "Tamblix Demo Cleaner");
    EXPECT_EQ(report["product"]["version"].text, "1.0");
    EXPECT_EQ(report["product"]["definitionsVersion"].number, 3);
    EXPECT_EQ(report["product"]["definitionsDate"].text, "2024-05-01");
    // The demo definitions find what the demo prefix plants: exit code 1.
    EXPECT_GT(report["suggestions"].number, 0);
    // A run of registry records with one group is one suggestion.
    EXPECT_LE(report["suggestions"].number,
              report["registry"].items.size() + report["hosts"].items.size() + report["files"].items.size());
    for (const char* list : {"registry", "hosts", "files", "scanProblems", "fixProblems"})
        EXPECT_EQ(report[list].kind, JsonValue::ARRAY) << list;
    EXPECT_EQ(report["logFile"].kind, JsonValue::NUL);
    // Start-up made the vendor key in the prefix's user registry.
    std::ifstream user(prefix / "user.reg");
    const std::string registry((std::istreambuf_iterator<char>(user)), std::istreambuf_iterator<char>());
    EXPECT_NE(registry.find("[Software\\\\Tamblix]"), std::string::npos);
}

TEST_F(ProgramsTest, ScanAsTextAndInDebugMode) {
    const ProgramResult normal = cli({"scan"});
    ASSERT_EQ(normal.exitCode, 1) << normal.errors;
    EXPECT_EQ(normal.output.rfind("Tamblix Demo Cleaner 1.0, definitions 3 of 2024-05-01\n", 0), 0u) << normal.output;
    // Not a terminal: no progress texts.
    EXPECT_EQ(normal.errors, "");

    // Debug mode reads the plain files, even with the packed ones gone.
    fs::remove(product / "system" / "definitions.xml.tam");
    const ProgramResult debug = cli({"scan", "--debug", "--json"});
    ASSERT_EQ(debug.exitCode, 1) << debug.errors;
    EXPECT_EQ(parseJson(debug.output)["mode"].text, "debug");
}

TEST_F(ProgramsTest, AnAssertionReportDuringAJsonScanGoesToStandardError) {
    // An expandable string without its terminating zero is reported as an
    // internal error when the scan reads it.
    std::ofstream(prefix / "user.reg", std::ios::app) << "\n[Software\\\\Unterminated] 1704067200\n"
                                                         "#time=1da3c457689c000\n\"x\"=hex(2):41,00\n";
    const ProgramResult json = cli({"scan", "--json"});
    ASSERT_EQ(json.exitCode, 1) << json.errors;
    EXPECT_EQ(parseJson(json.output)["state"].text, "scan-finished");
    EXPECT_NE(json.errors.find("Assertion failed. Message: bytes.back() == '\\0'\n"), std::string::npos) << json.errors;

    const ProgramResult text = cli({"scan"});
    EXPECT_NE(text.output.find("Assertion failed. Message: bytes.back() == '\\0'\n"), std::string::npos);
}

TEST_F(ProgramsTest, BadArgumentsEndWithExitCodeTwo) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{}, "No command given."},
        {{"scna"}, "Unknown command 'scna'."},
        {{"fix", "--select", "everything"}, "'everything' is not a selection"},
        {{"scan", "--verbose"}, "Unknown argument '--verbose'."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramResult run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors.rfind(c.error, 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find("Usage: tamblix-cli"), std::string::npos);
    }
    // An id that no suggestion has: the scan runs, nothing is fixed.
    const ProgramResult unknown = cli({"fix", "--select", "99", "--json"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(parseJson(unknown.output)["error"].text, "There is no suggestion with the id 99.");

    const ProgramResult help = cli({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("Usage: tamblix-cli", 0), 0u);
}

TEST_F(ProgramsTest, AFailedStartIsOneMessageOnStandardErrorAndExitCodeTwo) {
    // Another definitions document under the old signature.
    fs::copy_file(product / "system" / "permanent-definitions.xml.tam", product / "system" / "definitions.xml.tam",
                  fs::copy_options::overwrite_existing);
    const ProgramResult run = cli({"scan", "--json"});
    EXPECT_EQ(run.exitCode, 2);
    const std::string text = "An exception occured: The signature did not match the signed data. Public key size: ";
    EXPECT_EQ(run.errors.rfind(DEFAULT_CAPTION + "\n" + text, 0), 0u) << run.errors;
    const JsonValue report = parseJson(run.output);
    EXPECT_EQ(report["state"].text, "start-failed");
    EXPECT_EQ(report["error"].text.rfind(text, 0), 0u);
    EXPECT_EQ(report["product"].kind, JsonValue::NUL);

    const ProgramResult noPrefix = runProgram(product / "tamblix-cli", {"scan"}, scratch.path(), scratch.path() / "none");
    EXPECT_EQ(noPrefix.exitCode, 2);
    EXPECT_EQ(noPrefix.errors, DEFAULT_CAPTION + "\nAn exception occured: The Wine prefix '" +
                                   (scratch.path() / "none").string() +
                                   "' does not exist. Set WINEPREFIX to the folder of a prefix.\n");
}

TEST_F(ProgramsTest, ARelativePrefixStillNamesTheSameFolderAfterStartUpChangesTheWorkingDirectory) {
    // Relative to the folder the program is started from, which is not its own.
    const ProgramResult run = runProgram(product / "tamblix-cli", {"scan", "--json"}, scratch.path(), "prefix");
    ASSERT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_EQ(parseJson(run.output)["state"].text, "scan-finished");
    std::ifstream user(prefix / "user.reg");
    const std::string registry((std::istreambuf_iterator<char>(user)), std::istreambuf_iterator<char>());
    EXPECT_NE(registry.find("[Software\\\\Tamblix]"), std::string::npos);
    EXPECT_FALSE(fs::exists(product / "prefix"));
}

TEST_F(ProgramsTest, TheApplicationStartsFromItsOwnFolderInEitherMode) {
    const ProgramResult normal = app({});
    EXPECT_EQ(normal.exitCode, 0) << normal.errors;
    EXPECT_EQ(normal.output.rfind("Tamblix Demo Cleaner 1.0: definitions 3 of 2024-05-01 loaded from ", 0), 0u)
        << normal.output;
    EXPECT_NE(normal.output.find("\\Demo Product\\\n"), std::string::npos) << normal.output;

    // The program's path holds a blank; the command line quotes it, and one
    // argument "debug" still selects the plain files.
    const ProgramResult debug = app({"debug"});
    EXPECT_EQ(debug.exitCode, 0) << debug.errors;
    EXPECT_NE(debug.output.find(" loaded in debug mode from "), std::string::npos) << debug.output;
    const ProgramResult capitals = app({"DEBUG"});
    EXPECT_EQ(capitals.output.find("debug mode"), std::string::npos) << capitals.output;

    fs::remove(product / "system" / "publickey.dat");
    const ProgramResult failed = app({});
    EXPECT_NE(failed.exitCode, 0);
    EXPECT_EQ(failed.output, "");
    EXPECT_EQ(failed.errors.rfind(DEFAULT_CAPTION + "\nAn exception occured: ", 0), 0u) << failed.errors;
    EXPECT_NE(failed.errors.find("publickey.dat"), std::string::npos) << failed.errors;
}

}  // namespace
