// A HOSTS file's bytes: loaded and classified. Every line's entry is the one the
// regular expression alone gives (the direct reading of common lines included),
// and writing the unchanged lines back gives the text with every line ended by
// CR LF, which loads to the same lines again.

#include "engine/plugins/HostsFile.h"
#include "engine/plugins/HostsLine.h"
#include "fuzz/FuzzSupport.h"
#include "platform/file/FolderCalls.h"

namespace {

using com::quorvex::products::tamblix::HostsEntry;
using com::quorvex::products::tamblix::HostsFile;

// Loading bytes asks no folder.
struct NoFolders : platform::file::FolderCalls {
    bool getCurrentDirectory(std::string&) override { return false; }
    bool setCurrentDirectory(const std::string&) override { return false; }
    bool getSystemDirectory(std::string&) override { return false; }
    bool getWindowsDirectory(std::string&) override { return false; }
    bool getVersion(platform::file::SystemVersion&) override { return false; }
    bool getFolderPath(int, bool, std::string&) override { return false; }
};

std::string withCrLf(const std::string& text) {
    std::string expected;
    for (const char c : text) {
        if (c == '\n') expected += '\r';
        expected += c;
    }
    if (!text.empty() && text.back() != '\n') expected += "\r\n";
    return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace com::quorvex::products::tamblix;
    NoFolders folders;
    HostsFile file(folders);
    const std::vector<char> bytes = fuzz::bytes(data, size);
    file.loadBytes(bytes);
    FUZZ_REQUIRE(file.getText() == fuzz::text(data, size));
    for (const HostsEntry& entry : file.getLines()) {
        if (entry.kind != HostsEntry::MAPPING && entry.kind != HostsEntry::INVALID) continue;
        const HostsEntry byExpression = classifyHostsLineByExpression(entry.line);
        FUZZ_REQUIRE(byExpression == entry);
        FUZZ_REQUIRE(byExpression.octets == entry.octets);
    }
    const std::string written = hostsFileText(file.getLines());
    FUZZ_REQUIRE(written == withCrLf(normaliseHostsText(bytes)));
    HostsFile again(folders);
    again.loadBytes(std::vector<char>(written.begin(), written.end()));
    FUZZ_REQUIRE(again.getLines().size() == file.getLines().size());
    for (std::size_t i = 0; i < file.getLines().size(); ++i) FUZZ_REQUIRE(again.getLines()[i] == file.getLines()[i]);
    return 0;
}
