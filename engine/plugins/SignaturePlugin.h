#pragma once
// Finds known files on the fixed drives: every file of at least 1 and at most
// 20000000 bytes, and every such member of an archive whose name ends in ".zip",
// is hashed; a file whose MD5 is listed (and not whitelisted), or, when its MD5
// is unknown, whose histogram lies closer than the cutoff to a listed one, is
// suggested for deletion (a member's suggestion deletes its archive).
//
// An archive is walked once and each member is checked by its own bytes. A file
// named like an archive that is not one is still checked as a whole file. A
// file, archive or member that cannot be read is a problem line and the walk goes
// on; a failed walk of the drives is a problem line that ends the scan.

#include <atomic>
#include <string>
#include <vector>

#include "engine/plugins/Plugin.h"
#include "engine/plugins/SignatureDefinition.h"
#include "engine/plugins/SignatureIndex.h"
#include "platform/file/FileFinder.h"

namespace platform::file {
class FileReader;
class DriveEnumerator;
}  // namespace platform::file

namespace com::quorvex::products::tamblix {

class ZipReader;

class SignaturePlugin : public Plugin, private platform::file::FileFinderVisitor {
public:
    // The drive type the scan walks: the fixed disks.
    static constexpr int FIXED_DRIVES = 3;
    // Larger files and members are not checked.
    static constexpr std::uint64_t LARGEST_CHECKED = 20000000;

    SignaturePlugin(platform::file::FileReader& reader, platform::file::DriveEnumerator& drives,
                    platform::file::FileFinder& finder, ZipReader& zip);

    void expandScanMessage(std::string&) override {}
    void scan(ScanResults& results, ScanProgressListener* progress) override;
    bool hasDefinitions() const override { return !_definitions.empty(); }
    void loadDefinitions(const std::string& xmlText) override;
    void setCancelled(bool cancelled) override { _cancelled = cancelled; }
    // The cutoff keeps its value.
    void clearDefinitions() override;
    void fix(ScanResults&, std::string&) override {}
    void fixFinished(ScanResults&) override {}

    const std::vector<SignatureDefinition>& definitions() const { return _definitions; }
    double cutoff() const { return _cutoff; }

    // Checks one content already read: the suggestion it earns goes to results.
    void checkContent(const std::string& path, const std::string& member, const char* bytes, std::size_t size,
                      ScanResults& results) const;

private:
    class ArchiveMembers;

    int visit(const platform::file::FindRecord& entry, bool afterFirst, bool failed,
              const std::string& directory) override;
    void _visit(const std::string& path, const platform::file::FindRecord& entry);
    void _checkArchive(const std::string& path);
    void _checkFile(const std::string& path, std::uint64_t size);
    // The size rule and the progress text: whether the file or member is read.
    bool _announce(const std::string& path, const std::string& member, std::uint64_t size);

    platform::file::FileReader& _reader;
    platform::file::DriveEnumerator& _drives;
    platform::file::FileFinder& _finder;
    ZipReader& _zip;

    std::vector<SignatureDefinition> _definitions;
    SignatureIndex _index;
    // Variant matching is off until a document sets a cutoff.
    double _cutoff = 0;
    std::atomic<bool> _cancelled{false};

    // During a scan.
    ScanResults* _results = nullptr;
    ScanProgressListener* _progress = nullptr;
    // The content of the file being checked, one buffer for every file.
    std::vector<char> _buffer;
};

}  // namespace com::quorvex::products::tamblix
