#include "tools/demo-prefix/DemoPrefix.h"

#include <zlib.h>

#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileReplacement.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/tree/RegistryChange.h"
#include "platform/registry/tree/RegistryFileFormat.h"
#include "platform/registry/tree/RegistryText.h"

namespace tools {

namespace {

using namespace windows::registry;
using tree::RegistryFile;
namespace fs = std::filesystem;

// A fixed time (2024-01-01), so that every demo prefix is the same file for file.
constexpr std::uint64_t DEMO_TIME = tree::FILETIME_OF_1970 + 1704067200ull * tree::FILETIME_PER_SECOND;

std::vector<std::u16string> pathOf(const std::string& path) {
    std::vector<std::u16string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        names.push_back(tree::utf8ToUtf16(path.substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

// Builds one registry file with the same changes the registry layer makes.
class Hive {
public:
    Hive(const std::string& relativeTo) : _file(tree::emptyRegistryFile(relativeTo, "#arch=win64")) {}

    Hive& key(const std::string& path) {
        _apply({tree::RegistryChange::Kind::CREATE_KEY, pathOf(path), u"", 0, {}, DEMO_TIME});
        _key = path;
        return *this;
    }
    Hive& text(const std::string& name, const std::string& value) { return _value(name, TYPE_SZ, value); }
    Hive& expandable(const std::string& name, const std::string& value) { return _value(name, TYPE_EXPAND_SZ, value); }
    Hive& dword(const std::string& name, std::uint32_t value) {
        std::vector<std::uint8_t> bytes(4);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
        _apply({tree::RegistryChange::Kind::SET_VALUE, pathOf(_key), tree::utf8ToUtf16(name), TYPE_DWORD, bytes, DEMO_TIME});
        return *this;
    }
    Hive& link(const std::string& path, const std::string& target) {
        key(path);
        tree::findPath(_file.root, pathOf(path))->attributes().isLink = true;
        _apply({tree::RegistryChange::Kind::SET_VALUE, pathOf(path), u"SymbolicLinkValue", TYPE_LINK,
                tree::bytesOfUnits(tree::utf8ToUtf16(target)), DEMO_TIME});
        return *this;
    }
    void write(const fs::path& file) const {
        if (const auto failure = platform::file::replaceFile(file.string(), tree::writeRegistryFile(_file))) {
            platform::setLastError(platform::windowsErrorOfErrno(failure.value()));
            throw io::filesystem::SaveFileException("Could not write '" + file.string() + "'.\n\n" +
                                                    SystemErrors::map(platform::getLastError()));
        }
    }

private:
    Hive& _value(const std::string& name, std::uint32_t type, const std::string& value) {
        std::string terminated = value;
        terminated += '\0';
        _apply({tree::RegistryChange::Kind::SET_VALUE, pathOf(_key), tree::utf8ToUtf16(name), type,
                tree::storedData(type, terminated), DEMO_TIME});
        return *this;
    }
    void _apply(const tree::RegistryChange& change) { tree::applyChange(_file.root, change); }

    RegistryFile _file;
    std::string _key;
};

void writeFile(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out.flush())
        throw io::filesystem::SaveFileException("Could not write '" + file.string() + "'.");
}

void prepareFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::exists(folder / DEMO_PREFIX_MARK, error)) {
        fs::remove_all(folder, error);
    } else if (fs::exists(folder, error) && !fs::is_empty(folder, error)) {
        throw io::IOException("The folder '" + folder.string() +
                              "' is not empty and holds no demo prefix: it is left as it is.");
    }
    if (!error) fs::create_directories(folder, error);
    if (error) throw io::IOException("Could not prepare the folder '" + folder.string() + "': " + error.message());
}

// A zip archive of stored members (zip's own layout, little-endian fields).
std::string storedZip(const std::vector<std::pair<std::string, std::string>>& members) {
    const auto number = [](std::string& out, unsigned long value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    std::string archive, directory;
    for (const auto& [name, content] : members) {
        const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size()));
        const unsigned long offset = archive.size();
        std::string common;
        number(common, 10, 2);  // version needed
        number(common, 0, 2);   // flags
        number(common, 0, 2);   // stored
        number(common, 0, 4);   // time and date
        number(common, crc, 4);
        number(common, content.size(), 4);
        number(common, content.size(), 4);
        number(common, name.size(), 2);
        number(common, 0, 2);  // extra field
        archive += std::string("PK\x03\x04", 4) + common + name + content;
        directory += std::string("PK\x01\x02", 4);
        number(directory, 20, 2);  // made by
        directory += common;
        number(directory, 0, 2);  // comment
        number(directory, 0, 2);  // disk
        number(directory, 0, 2);  // internal attributes
        number(directory, 0, 4);  // external attributes
        number(directory, offset, 4);
        directory += name;
    }
    std::string end = std::string("PK\x05\x06", 4);
    number(end, 0, 4);
    number(end, members.size(), 2);
    number(end, members.size(), 2);
    number(end, directory.size(), 4);
    number(end, archive.size(), 4);
    number(end, 0, 2);
    return archive + directory + end;
}

// The demo toolbar, in its listed build and in a build the definitions know only
// by its histogram.
std::string demoToolbar(int build) {
    std::string text;
    for (int line = 1; line <= 150; ++line) text += "tamblix demo toolbar, part " + std::to_string(line) + "\n";
    return text + "build " + std::to_string(build) + "\n";
}

// What the demo's file signatures find (see the demo definitions): a listed
// file, a variant of one, an archive holding one twice under names that differ
// in case, a whitelisted file and a file named like an archive that is none.
void writeSignatureFiles(const fs::path& drive, const fs::path& profile) {
    writeFile(profile / "Downloads/free-screensaver.exe", "tamblix demo unwanted file\n");
    writeFile(profile / "AppData/Roaming/Demo Toolbar/toolbar.dll", demoToolbar(2));
    writeFile(profile / "Downloads/bundle.zip", storedZip({{"Setup/Installer.exe", "tamblix demo adware installer\n"},
                                                           {"setup/installer.exe", "tamblix demo dialer\n"},
                                                           {"docs/readme.txt", "Read me.\n"}}));
    writeFile(drive / "Program Files/Demo Tools/readme.txt", "Demo Tools: a known good file.\n");
    writeFile(profile / "Downloads/photos.zip", "These are no photos and this is no archive.\n");
}

void writeFiles(const fs::path& folder, const std::string& user) {
    const fs::path drive = folder / "drive_c";
    fs::create_directories(folder / "dosdevices");
    fs::create_directory_symlink("../drive_c", folder / "dosdevices" / "c:");
    fs::create_directory_symlink("/", folder / "dosdevices" / "z:");
    writeFile(drive / "windows/system32/drivers/etc/hosts",
              "# HOSTS file of the demo prefix: one IP address and one host name per line.\r\n"
              "\r\n"
              "127.0.0.1       localhost\r\n"
              "::1             localhost\r\n"
              "127.0.0.1       ads.example.com\r\n"
              "0.0.0.0         tracker.example.net\r\n"
              "10.20.30.40     updates.example.com    # the publisher's update server\r\n"
              "127.0.0.1       ads.example.com\r\n");
    writeFile(drive / "windows/system32/notepad.exe", "demo program\n");
    writeFile(drive / "windows/system32/demo-shell.dll", "demo library\n");
    writeFile(drive / "Program Files/Demo Tools/tool.exe", "demo program\n");
    writeFile(drive / "Program Files/Demo Tools/helper.dll", "demo library\n");
    fs::create_directories(drive / "Program Files/Common Files");
    fs::create_directories(drive / "ProgramData");
    fs::create_directories(drive / "users/Public");
    const fs::path profile = drive / "users" / user;
    writeFile(profile / "Documents/report.txt", "A document that the registry remembers.\n");
    writeFile(profile / "AppData/Roaming/Demo/settings.ini", "[demo]\nstarted=1\n");
    fs::create_directories(profile / "AppData/Local/Temp");
    writeSignatureFiles(drive, profile);
    writeFile(folder / DEMO_PREFIX_MARK, "This folder was made by make-demo-prefix and may be replaced by it.\n");
}

void writeMachineHive(const fs::path& folder, const std::string& user) {
    const std::string profile = "C:\\users\\" + user;
    Hive machine("REGISTRY\\\\Machine");
    machine.key("Software\\Microsoft\\Windows NT\\CurrentVersion").text("SystemRoot", "C:\\windows").text("CurrentVersion", "6.1");
    machine.key("Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList")
        .expandable("ProfilesDirectory", "C:\\users")
        .expandable("ProgramData", "C:\\ProgramData")
        .expandable("Public", "C:\\users\\Public");
    machine.key("Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-0-0-0-1000")
        .text("ProfileImagePath", profile);
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion")
        .text("ProgramFilesDir", "C:\\Program Files")
        .text("CommonFilesDir", "C:\\Program Files\\Common Files");
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion\\Run")
        .text("DemoTool", "\"C:\\Program Files\\Demo Tools\\tool.exe\" /background")
        .text("OldUpdater", "C:\\Program Files\\Old Updater\\update.exe -silent")
        .expandable("Notepad", "%SystemRoot%\\system32\\notepad.exe")
        .expandable("GoneHelper", "%ProgramFiles%\\Gone Vendor\\helper.exe /start");
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tool.exe")
        .text("", "C:\\Program Files\\Demo Tools\\tool.exe");
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\removed.exe")
        .text("", "C:\\Program Files\\Removed App\\removed.exe")
        .text("Path", "C:\\Program Files\\Removed App");
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs")
        .dword("C:\\Program Files\\Demo Tools\\helper.dll", 1)
        .dword("C:\\Program Files\\Removed App\\shared.dll", 2);
    machine.key("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RemovedApp")
        .text("DisplayName", "Removed App")
        .text("UninstallString", "\"C:\\Program Files\\Removed App\\uninstall.exe\" /S")
        .text("DisplayIcon", "C:\\Program Files\\Removed App\\app.ico,0");
    machine.key("Software\\Classes\\.demo").text("", "DemoFile");
    machine.key("Software\\Classes\\DemoFile\\shell\\open\\command")
        .text("", "\"C:\\Program Files\\Demo Tools\\tool.exe\" \"%1\"");
    machine.key("Software\\Classes\\OldFile\\DefaultIcon").text("", "C:\\Program Files\\Removed App\\old.ico,1");
    machine.key("Software\\Classes\\CLSID\\{5E2C1B44-0D4A-4E6F-9D0B-1A2B3C4D5E60}\\InprocServer32")
        .text("", "C:\\windows\\system32\\demo-shell.dll")
        .text("ThreadingModel", "Apartment");
    machine.key("Software\\Classes\\CLSID\\{6F3D2C55-1E5B-4F70-8E1C-2B3C4D5E6F71}\\InprocServer32")
        .expandable("", "%SystemRoot%\\system32\\missing-shell.dll")
        .text("ThreadingModel", "Both");
    // z: is the host's whole file system, shared in as a network drive, so that a
    // scan of the demo walks only its own c:.
    machine.key("Software\\Wine\\Drives").text("c:", "hd").text("d:", "cdrom").text("z:", "network");
    machine.key("System\\ControlSet001\\Control\\Session Manager\\Environment")
        .expandable("ComSpec", "%SystemRoot%\\system32\\cmd.exe")
        .text("OS", "Windows_NT")
        .expandable("PATH", "%SystemRoot%\\system32;%SystemRoot%")
        .expandable("TEMP", "%SystemRoot%\\temp")
        .expandable("TMP", "%SystemRoot%\\temp")
        .expandable("windir", "%SystemRoot%");
    machine.key("System\\ControlSet001\\Services\\Tcpip\\Parameters")
        .expandable("DataBasePath", "%SystemRoot%\\System32\\drivers\\etc");
    machine.key("System\\ControlSet001\\Hardware Profiles\\Current\\Software\\Fonts").dword("LogPixels", 96);
    machine.link("System\\CurrentControlSet", "\\Registry\\Machine\\System\\ControlSet001");
    machine.write(folder / "system.reg");
}

// The browser's zone map, planted so that the demo definitions' domains and
// ranges meet every case: held and to be restricted (in another zone, or
// already restricted), held and to leave, not held and to be added, not held
// and to leave.
void writeZoneMap(Hive& current) {
    const std::string zoneMap = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap";
    current.key(zoneMap + "\\Domains\\adserver.example").dword("*", 2);
    current.key(zoneMap + "\\Domains\\tracker.example\\pixel").dword("*", 4);
    current.key(zoneMap + "\\Domains\\partner.example\\www").dword("*", 4);
    current.key(zoneMap + "\\Domains\\partner.example\\shop").dword("*", 2);
    current.key(zoneMap + "\\Domains\\trusted.example").dword("*", 4).dword("https", 4);
    current.key(zoneMap + "\\Ranges\\Range1").text(":Range", "203.0.113.*").dword("*", 2);
    current.key(zoneMap + "\\Ranges\\Range2").text(":Range", "198.51.100.7").dword("*", 4);
    current.key(zoneMap + "\\Ranges\\Range3").text(":Range", "192.0.2.10").dword("*", 4);
}

void writeUserHives(const fs::path& folder, const std::string& user) {
    const std::string documents = "C:\\users\\" + user + "\\Documents";
    Hive current("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000");
    current.key("Environment")
        .expandable("TEMP", "%USERPROFILE%\\AppData\\Local\\Temp")
        .expandable("TMP", "%USERPROFILE%\\AppData\\Local\\Temp");
    current.key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders")
        .expandable("AppData", "%USERPROFILE%\\AppData\\Roaming")
        .expandable("Local AppData", "%USERPROFILE%\\AppData\\Local")
        .expandable("Personal", "%USERPROFILE%\\Documents");
    current.key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders").text("Personal", documents);
    current.key("Software\\Microsoft\\Windows\\CurrentVersion\\Run")
        .expandable("DemoNotes", "%APPDATA%\\Demo\\notes.exe")
        .text("DemoSettings", "\"C:\\users\\" + user + "\\AppData\\Roaming\\Demo\\settings.ini\"");
    current.key("Software\\Demo Vendor\\Recent")
        .text("File1", documents + "\\report.txt")
        .text("File2", documents + "\\lost.txt");
    writeZoneMap(current);
    current.write(folder / "user.reg");

    Hive defaultUser("REGISTRY\\\\User\\\\.Default");
    defaultUser.key("Control Panel\\Desktop").text("Wallpaper", "");
    defaultUser.key("Environment").expandable("TEMP", "%USERPROFILE%\\AppData\\Local\\Temp");
    defaultUser.write(folder / "userdef.reg");
}

}  // namespace

void writeDemoPrefix(const fs::path& folder, const std::string& user) {
    prepareFolder(folder);
    writeFiles(folder, user);
    writeMachineHive(folder, user);
    writeUserHives(folder, user);
}

}  // namespace tools
