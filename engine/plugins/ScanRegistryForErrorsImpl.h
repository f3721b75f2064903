#pragma once
// The registry error scanner: walks the registry trees of its definitions and
// suggests removing every value whose name or string data names a missing file
// on a local fixed disk (see MissingFileCheck). After a fix it writes a .reg file
// into the product's log folder, beside the fix log, that puts the removed values
// back.
//
// The walk handles each key on its own: a key it may not read is skipped
// silently, a missing key becomes a problem line, a value whose data cannot be
// expanded becomes a problem line of its own; any other failure ends the scan
// without records. Subkeys are walked before a key's own values. A cancel takes
// effect at the next key; what was found up to then is kept.

#include <atomic>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "engine/plugins/MissingFileCheck.h"
#include "engine/plugins/RegistryErrorEntry.h"
#include "engine/plugins/RegistryScanDefinitions.h"
#include "engine/plugins/ScanRegistryForErrors.h"
#include "platform/util/Clocks.h"

namespace windows::registry {
class RegistryService;
class RegistryReader;
}  // namespace windows::registry

namespace platform::file {
class FileWriter;
}  // namespace platform::file

namespace com::quorvex::products::tamblix {

class ProductLogFolder;

class ScanRegistryForErrorsImpl : public ScanRegistryForErrors {
public:
    // What the last scan looked at, for measurements.
    struct Statistics {
        std::uint64_t keys = 0;
        std::uint64_t values = 0;
        MissingFileCheck::Counts checks;
    };

    // logFolder is where the fix in progress keeps its log, and the undo file
    // with it; localTime dates the undo file; ticks times the scan.
    ScanRegistryForErrorsImpl(windows::registry::RegistryService& registry, platform::file::FileWriter& writer,
                              platform::file::FileExistsQuery& fileExists,
                              platform::file::DirectoryExistsQuery& dirExists,
                              platform::file::DriveTypeQuery& driveType, const ProductLogFolder& logFolder,
                              LocalClock& localTime, TickClock& ticks);

    // Plugin
    // "%FOUND_ERRORS%": the number of findings of the last scan; "%SCAN_TIME%": its
    // length as "[M minutes and ]S seconds".
    void expandScanMessage(std::string& text) override;
    void scan(ScanResults& results, ScanProgressListener* progress) override;
    bool hasDefinitions() const override { return !_definitions.scanKeys.empty(); }
    void loadDefinitions(const std::string& xmlText) override;
    void setCancelled(bool cancelled) override { _cancelled = cancelled; }
    void clearDefinitions() override;
    // Before the engine removes any value: writes an undo file that brings back
    // every finding whose record is selected, dated now, into the log folder
    // (which the engine has made). Throws TamblixEngineException when it cannot
    // be written, so that nothing is removed.
    void fix(ScanResults& results, std::string& logSection) override;
    // Marks the findings whose records were selected and applied, then writes the
    // undo file again under the same name with the applied ones (not when there
    // are no registry records at all).
    void fixFinished(ScanResults& results) override;

    // ScanRegistryForErrors
    int getScanSeconds() const override { return static_cast<int>(_scanSeconds); }
    // The undo file of the applied findings (the header alone when there are none)
    // as <folder>\undo from <time>.reg. Write failures pass out.
    void writeUndoFile(const std::string& folder, const std::tm& time) override;

    const std::vector<RegistryErrorEntry>& getRegistryChanges() const { return _registryChanges; }
    const Statistics& getStatistics() const { return _statistics; }

private:
    void _scan(ScanResults& results, ScanProgressListener& progress);
    void _walk(std::uint32_t root, const std::string& subkey, ScanProgressListener& progress);
    void _examineValues(std::uint32_t root, const std::string& subkey, const std::string& fullName,
                        windows::registry::RegistryReader& reader);
    // The values one by one, for a key where reading them all at once failed on
    // one value's expansion; such a value becomes a problem line.
    std::vector<std::pair<std::string, windows::registry::RegistryData>> _readEachValue(
        const std::string& fullName, windows::registry::RegistryReader& reader);
    void _addEntry(std::uint32_t root, const std::string& subkey, const std::string& name,
                   const windows::registry::RegistryData& data, bool namePoints,
                   windows::registry::RegistryReader& reader);
    void _appendRecords(ScanResults& results);
    // The first finding the record was made of whose flag is not set yet; null
    // for records of other plugins.
    RegistryErrorEntry* _entryOf(const RegistryModification& record, bool RegistryErrorEntry::*flag);
    void _writeUndo(const std::string& folder, const std::tm& time, bool RegistryErrorEntry::*covered);

    windows::registry::RegistryService& _registry;
    platform::file::FileWriter& _writer;
    const ProductLogFolder& _logFolder;
    LocalClock& _localTime;
    TickClock& _ticks;
    MissingFileCheck _check;
    RegistryScanDefinitions _definitions;
    std::vector<RegistryErrorEntry> _registryChanges;
    std::vector<std::string> _problems;
    std::uint32_t _scanSeconds = 0;
    std::uint32_t _groupCounter = 0;
    // When the fix in progress began: its undo file's name and header.
    std::optional<std::tm> _fixTime;
    std::atomic<bool> _cancelled{false};
    Statistics _statistics;
};

}  // namespace com::quorvex::products::tamblix
