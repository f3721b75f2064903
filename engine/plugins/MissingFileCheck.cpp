#include "engine/plugins/MissingFileCheck.h"

#include "platform/file/DirectoryExistsQuery.h"
#include "platform/file/DriveCalls.h"
#include "platform/file/DriveTypeQuery.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

namespace {

using util::StringHelper;

constexpr const char* DRIVE_PATH = ":\\";
constexpr const char* CUT_CHARACTERS = "*?\"<>|";
constexpr const char* EXECUTABLE_EXTENSIONS[] = {".bat", ".com", ".dll", ".exe"};
constexpr const char* RESERVED_NAMES[] = {"con", "aux", "prn", "nul", "com1", "com2", "com3", "com4",
                                          "lpt1", "lpt2", "lpt3"};

}  // namespace

bool isReservedDeviceName(const std::string& path) {
    std::string text = path;
    StringHelper::replaceAll(text, "/", "\\");
    const std::size_t slash = text.rfind('\\');
    if (slash == std::string::npos) return false;
    const std::string last = StringHelper::toLower(text.substr(slash + 1));
    if (last.size() != 3 && last.size() != 4) return false;
    for (const char* reserved : RESERVED_NAMES)
        if (last == reserved) return true;
    return false;
}

MissingFileCheck::MissingFileCheck(platform::file::FileExistsQuery& fileExists,
                                   platform::file::DirectoryExistsQuery& dirExists,
                                   platform::file::DriveTypeQuery& driveType)
    : _files(fileExists), _directories(dirExists), _drives(driveType) {}

bool MissingFileCheck::isMissingFileReference(const std::string& text, const PathWhitelist& pathWhitelist) {
    std::string s = StringHelper::toLower(text);
    StringHelper::replaceAll(s, "\"", "");
    const std::size_t drive = s.find(DRIVE_PATH);
    if (drive == std::string::npos || drive == 0) return false;
    const char letter = s[drive - 1];
    if (letter < 'a' || letter > 'z') return false;
    s.erase(0, drive - 1);
    // A second drive path: the text is a list or a command with several paths.
    if (s.find(DRIVE_PATH, 2) != std::string::npos) return false;
    ++_counts.driveTests;
    if (_drives.getDriveType(s.substr(0, 3)) != platform::file::DRIVE_FIXED) return false;
    StringHelper::replaceAll(s, ";", "");
    const std::size_t cut = s.find_first_of(CUT_CHARACTERS);
    if (cut != std::string::npos) s.erase(cut);
    try {
        ++_counts.directoryTests;
        if (_directories.directoryExists(s)) return false;
    } catch (const io::filesystem::ExistsDirException&) {
        return false;
    }
    if (!_noPrefixExists(s)) return false;
    return !pathWhitelist.matches(s);
}

bool MissingFileCheck::_noPrefixExists(const std::string& path) {
    std::string prefix = path;
    bool boundary = true;
    while (!prefix.empty()) {
        if (boundary || !_checkedPaths.count(prefix)) {
            if (!isReservedDeviceName(prefix)) {
                if (_fileExists(prefix)) return false;
                if (boundary)
                    for (const char* extension : EXECUTABLE_EXTENSIONS)
                        if (_fileExists(prefix + extension)) return false;
            }
            _checkedPaths.insert(prefix);
        } else {
            ++_counts.cacheHits;
        }
        boundary = prefix.back() == ' ';
        prefix.pop_back();
    }
    return true;
}

bool MissingFileCheck::_fileExists(const std::string& path) {
    ++_counts.fileTests;
    return _files.fileExists(path);
}

}  // namespace com::quorvex::products::tamblix
