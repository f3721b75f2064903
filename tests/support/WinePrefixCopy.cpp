#include "tests/support/WinePrefixCopy.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <sys/wait.h>

namespace testing_support {

namespace {

std::filesystem::path templatePrefix() {
    const char* folder = std::getenv("TAMBLIX_WINE_TEMPLATE");
    return folder ? folder : "";
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace

bool winePrefixAvailable() {
    const auto folder = templatePrefix();
    return !folder.empty() && std::filesystem::exists(folder / ".complete");
}

void copyWinePrefix(const std::filesystem::path& folder) {
    const auto from = templatePrefix();
    // A fix replaces the HOSTS file in place where it has further names, so the
    // copy's must be a file of its own.
    const char* const HOSTS = "drive_c/windows/system32/drivers/etc/hosts";
    // The file "wineserver" names the folder below /tmp where Debian's Wine keeps the
    // prefix's server; copies that shared one name would race for that folder while
    // their servers start and end at once. Without it each copy gets its own.
    const std::string command = "cp -al " + quoted(from) + " " + quoted(folder) + " && cd " + quoted(folder) +
                                " && for f in *.reg; do cp --remove-destination " + quoted(from) +
                                "/\"$f\" \"$f\"; done && cp --remove-destination " + quoted(from / HOSTS) + " " +
                                quoted(folder / HOSTS) + " && rm -f .complete wineserver";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("could not copy the Wine prefix: " + command);
}

std::string driveZPath(const std::filesystem::path& path) {
    std::string text = "Z:" + path.string();
    for (char& c : text)
        if (c == '/') c = '\\';
    return text;
}

int runWine(const std::filesystem::path& prefix, const std::string& arguments, std::string* output) {
    const std::string environment =
        "WINEPREFIX=" + quoted(prefix) + " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
    const std::string command =
        environment + "wine " + arguments + " 2>/dev/null; status=$?; " + environment + "wineserver -w; exit $status";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("could not run wine");
    char buffer[4096];
    std::string text;
    for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, count);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
