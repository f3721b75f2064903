#pragma once
// The system's HOSTS file: found anew for every load and save, read whole,
// cut into lines and classified (HostsLine.h), and written back whole.
//
// The file lies in the folder the TCP/IP parameter "DataBasePath" names; where
// the key or the value is missing, in the Windows folder on Windows 95, 98 and
// Me and in the system folder's "DRIVERS\ETC" everywhere else. Its name is
// "HOSTS", found as Windows finds names, so an existing "hosts" is the file
// that is read and replaced; only a missing file is created under "HOSTS". Other
// registry failures pass out as the registry layer's exceptions, read failures
// as the file layer's.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/plugins/HostsEntry.h"

namespace windows::registry {
class RegistryService;
}

namespace platform::file {
class FileReader;
class FileWriter;
class FileExistsQuery;
class FolderCalls;
}  // namespace platform::file

namespace com::quorvex::products::tamblix {

// The path of the HOSTS file as it is to be looked for now.
std::string locateHostsFile(windows::registry::RegistryService& registry, platform::file::FolderCalls& folders);

class HostsFile {
public:
    explicit HostsFile(platform::file::FolderCalls& folders);
    virtual ~HostsFile() = default;

    // Reads the file (a missing one is empty) and classifies its lines.
    virtual void load(platform::file::FileReader& reader, platform::file::FileExistsQuery& exists,
                      windows::registry::RegistryService& registry);
    // The file's text as read.
    virtual std::string getText() const { return _text; }
    // Every line in file order.
    virtual const std::vector<HostsEntry>& getLines() const { return _lines; }
    // The mappings whose host had a mapping earlier in the file, in file order.
    virtual std::vector<HostsEntry> getDuplicates() const;
    virtual std::vector<HostsEntry> getInvalidLines() const;
    // Each host's first mapping.
    virtual std::map<std::string, HostsEntry> getMappings() const;
    // Replaces the file with the lines, each ended by "\r\n"; fails with the file
    // layer's SaveFileException and leaves the old file whole.
    virtual void save(const std::vector<HostsEntry>& lines, platform::file::FileWriter& writer,
                      windows::registry::RegistryService& registry);

    // What load does after reading: the bytes become the text and the lines.
    void loadBytes(const std::vector<char>& bytes);
    // Hands the lines over and leaves the file as loaded from nothing.
    std::vector<HostsEntry> takeLines();
    // The host's first mapping, or null.
    const HostsEntry* findMapping(const std::string& host) const;

private:
    // The duplicates, invalid lines and mappings, made when first asked for (a
    // fix never asks).
    void _index() const;

    platform::file::FolderCalls& _folders;
    std::string _text;
    std::vector<HostsEntry> _lines;
    // Places in _lines; the map's names point into the lines' hosts.
    mutable bool _indexed = false;
    mutable std::vector<std::size_t> _duplicates;
    mutable std::vector<std::size_t> _invalid;
    mutable std::unordered_map<std::string_view, std::size_t> _mappings;
};

}  // namespace com::quorvex::products::tamblix
