#include "engine/plugins/HostsFile.h"

#include <algorithm>

#include "engine/plugins/HostsLine.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/file/FileReader.h"
#include "platform/file/FileWriter.h"
#include "platform/file/FolderCalls.h"
#include "platform/file/FolderQueries.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryService.h"

namespace com::quorvex::products::tamblix {

namespace {

using namespace windows::registry;
using platform::file::SystemVersion;

const char* const PARAMETERS_KEY = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

bool isWindows9x(platform::file::FolderCalls& folders) {
    SystemVersion version;
    if (!folders.getVersion(version) || version.platformId != platform::file::VER_PLATFORM_WIN32_WINDOWS) return false;
    return version.major == 4 && (version.minor == 0 || version.minor == 10 || version.minor == 90);
}

// The folder "DataBasePath" names, or empty when the key or the value is missing.
std::string registeredFolder(RegistryService& registry) {
    try {
        const auto key = registry.openKey(ROOT_LOCAL_MACHINE, PARAMETERS_KEY, ACCESS_QUERY_VALUE);
        const auto reader = registry.createReader(key.get());
        if (!reader->valueExists("DataBasePath")) return {};
        return reader->readValue("DataBasePath").getString();
    } catch (const RegistryKeyNotFoundException&) {
        return {};
    } catch (const RegistryValueNotFoundException&) {
        return {};
    }
}

}  // namespace

std::string locateHostsFile(RegistryService& registry, platform::file::FolderCalls& folders) {
    std::string folder = registeredFolder(registry);
    if (folder.empty()) {
        folder = isWindows9x(folders) ? platform::file::getWindowsDirectory(folders)
                                      : platform::file::getSystemDirectory(folders) + "DRIVERS\\ETC";
    }
    // The folder answers of the file layer end in a backslash, and so may the
    // registry's text; the name follows one backslash.
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + "\\HOSTS";
}

HostsFile::HostsFile(platform::file::FolderCalls& folders) : _folders(folders) {}

void HostsFile::load(platform::file::FileReader& reader, platform::file::FileExistsQuery& exists,
                     RegistryService& registry) {
    loadBytes({});
    const std::string path = locateHostsFile(registry, _folders);
    if (exists.fileExists(path)) loadBytes(reader.readFile(path, 0));
}

void HostsFile::loadBytes(const std::vector<char>& bytes) {
    _indexed = false;
    _mappings.clear();
    _duplicates.clear();
    _invalid.clear();
    _lines.clear();
    _text.assign(bytes.begin(), bytes.end());
    // Cut as split(text, "\n", false) cuts: every piece before a line break, empty
    // ones too, and a last piece only when it is not empty.
    const std::string text = normaliseHostsText(bytes);
    _lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        _lines.push_back(classifyHostsLine(text.substr(start, end - start)));
        start = end + 1;
    }
}

void HostsFile::_index() const {
    if (_indexed) return;
    _mappings.reserve(_lines.size());
    for (std::size_t i = 0; i < _lines.size(); ++i) {
        const HostsEntry& entry = _lines[i];
        if (entry.kind == HostsEntry::INVALID) {
            _invalid.push_back(i);
        } else if (entry.kind == HostsEntry::MAPPING && !_mappings.emplace(entry.host, i).second) {
            _duplicates.push_back(i);
        }
    }
    _indexed = true;
}

std::vector<HostsEntry> HostsFile::takeLines() {
    std::vector<HostsEntry> lines = std::move(_lines);
    loadBytes({});
    return lines;
}

std::vector<HostsEntry> HostsFile::getDuplicates() const {
    _index();
    std::vector<HostsEntry> entries;
    for (const std::size_t i : _duplicates) entries.push_back(_lines[i]);
    return entries;
}

std::vector<HostsEntry> HostsFile::getInvalidLines() const {
    _index();
    std::vector<HostsEntry> entries;
    for (const std::size_t i : _invalid) entries.push_back(_lines[i]);
    return entries;
}

std::map<std::string, HostsEntry> HostsFile::getMappings() const {
    _index();
    std::map<std::string, HostsEntry> mappings;
    for (const auto& [host, i] : _mappings) mappings.emplace(std::string(host), _lines[i]);
    return mappings;
}

const HostsEntry* HostsFile::findMapping(const std::string& host) const {
    _index();
    const auto found = _mappings.find(host);
    return found == _mappings.end() ? nullptr : &_lines[found->second];
}

void HostsFile::save(const std::vector<HostsEntry>& lines, platform::file::FileWriter& writer,
                     RegistryService& registry) {
    const std::string text = hostsFileText(lines);
    writer.writeFile(locateHostsFile(registry, _folders), std::vector<char>(text.begin(), text.end()), 0);
}

}  // namespace com::quorvex::products::tamblix
