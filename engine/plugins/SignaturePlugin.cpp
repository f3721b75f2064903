#include "engine/plugins/SignaturePlugin.h"

#include "engine/plugins/Md5Hasher.h"
#include "platform/failure/Assertion.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileReader.h"
#include "platform/zip/ZipReader.h"

namespace com::quorvex::products::tamblix {

using platform::file::FindRecord;

namespace {

bool endsWithZip(const std::string& name) {
    static const std::string ZIP = ".zip";
    return name.size() >= ZIP.size() && name.compare(name.size() - ZIP.size(), ZIP.size(), ZIP) == 0;
}

}  // namespace

// Checks each member of one archive as the walk over it reaches it.
class SignaturePlugin::ArchiveMembers : public ZipMemberVisitor {
public:
    ArchiveMembers(SignaturePlugin& plugin, const std::string& path) : _plugin(plugin), _path(path) {}

    bool wants(const ZipEntry& entry) override {
        return _plugin._announce(_path, entry.name, entry.uncompressedSize);
    }
    void read(const ZipEntry& entry, const char* bytes, std::size_t size) override {
        try {
            _plugin.checkContent(_path, entry.name, bytes, size, *_plugin._results);
        } catch (...) {
            TAMBLIX_ASSERT(false);
        }
    }
    void failed(const ZipEntry&, const ZipReaderException& failure) override {
        _plugin._results->scanProblems.push_back(failure.getMessage());
    }

private:
    SignaturePlugin& _plugin;
    const std::string& _path;
};

SignaturePlugin::SignaturePlugin(platform::file::FileReader& reader, platform::file::DriveEnumerator& drives,
                                 platform::file::FileFinder& finder, ZipReader& zip)
    : _reader(reader), _drives(drives), _finder(finder), _zip(zip) {}

void SignaturePlugin::loadDefinitions(const std::string& xmlText) {
    loadSignatureDefinitions(xmlText, _definitions, _cutoff);
    _index.rebuild(_definitions);
}

void SignaturePlugin::clearDefinitions() {
    _definitions.clear();
    _index.clear();
}

void SignaturePlugin::scan(ScanResults& results, ScanProgressListener* progress) {
    if (_definitions.empty()) return;
    _results = &results;
    _progress = progress;
    std::vector<std::string> drives;
    try {
        drives = _drives.enumerateDrives(FIXED_DRIVES);
    } catch (const exceptions::Exception& failure) {
        results.scanProblems.push_back(failure.getMessage());
        return;
    }
    for (const std::string& drive : drives) {
        try {
            _finder.find(drive, true, *this);
        } catch (const windows::file::FileFinderException& failure) {
            results.scanProblems.push_back(failure.getMessage());
            return;
        } catch (...) {
            TAMBLIX_ASSERT(false);
        }
    }
}

int SignaturePlugin::visit(const FindRecord& entry, bool, bool failed, const std::string& directory) {
    if (_cancelled) return STOP_LISTING;
    if (failed || entry.isDirectory()) return GO_ON;
    try {
        _visit(directory + "\\" + entry.fileName, entry);
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
    return GO_ON;
}

void SignaturePlugin::_visit(const std::string& path, const FindRecord& entry) {
    if (endsWithZip(entry.fileName)) _checkArchive(path);
    _checkFile(path, entry.fileSize());
}

void SignaturePlugin::_checkArchive(const std::string& path) {
    ArchiveMembers members(*this, path);
    try {
        _zip.readMembers(path, members);
    } catch (const ZipReaderException& failure) {
        // Not an archive, or a damaged one: the file is still checked as a whole.
        _results->scanProblems.push_back(failure.getMessage());
    }
}

bool SignaturePlugin::_announce(const std::string& path, const std::string& member, std::uint64_t size) {
    if (size == 0 || size > LARGEST_CHECKED) return false;
    _progress->progress("Scanning " + path + (member.empty() ? "" : "\\" + member));
    return true;
}

void SignaturePlugin::_checkFile(const std::string& path, std::uint64_t size) {
    if (!_announce(path, "", size)) return;
    try {
        _reader.readFileInto(path, _buffer);
    } catch (const io::filesystem::LoadFileException& failure) {
        _results->scanProblems.push_back(failure.getMessage());
        return;
    }
    checkContent(path, "", _buffer.data(), _buffer.size(), *_results);
}

void SignaturePlugin::checkContent(const std::string& path, const std::string& member, const char* bytes,
                                   std::size_t size, ScanResults& results) const {
    const SignatureDefinition* found = _index.byMd5(md5Hex(bytes, size));
    bool variant = false;
    if (found != nullptr && found->whitelisted) return;
    if (found == nullptr) {
        found = _index.variantOf(bytes, size, _cutoff);
        variant = true;
    }
    if (found == nullptr) return;
    FileModification suggestion;
    suggestion.path = path;
    suggestion.innerName = member;
    suggestion.description = found->info;
    suggestion.variant = variant;
    suggestion.state.selected = found->recommend;
    results.fileChanges.push_back(std::move(suggestion));
}

}  // namespace com::quorvex::products::tamblix
