#include "engine/plugins/ScanRegistryForErrorsImpl.h"

#include <algorithm>

#include "engine/plugins/ProductLogFolder.h"
#include "engine/plugins/RegistryErrorRecord.h"
#include "engine/plugins/RegistryUndoFile.h"
#include "platform/failure/Assertion.h"
#include "platform/failure/TimeText.h"
#include "platform/file/FileWriter.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryService.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

namespace {

using namespace windows::registry;
using util::StringHelper;

const std::string IGNORE_PREFIX = "You can probably just ignore this problem. ";

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StringHelper::toLower(a) == StringHelper::toLower(b);
}

std::string scanTimeText(std::uint32_t seconds) {
    const std::uint32_t minutes = seconds / 60;
    return (minutes ? std::to_string(minutes) + " minutes and " : std::string()) + std::to_string(seconds % 60) +
           " seconds";
}

}  // namespace

ScanRegistryForErrorsImpl::ScanRegistryForErrorsImpl(RegistryService& registry, platform::file::FileWriter& writer,
                                                     platform::file::FileExistsQuery& fileExists,
                                                     platform::file::DirectoryExistsQuery& dirExists,
                                                     platform::file::DriveTypeQuery& driveType,
                                                     const ProductLogFolder& logFolder, LocalClock& localTime,
                                                     TickClock& ticks)
    : _registry(registry),
      _writer(writer),
      _logFolder(logFolder),
      _localTime(localTime),
      _ticks(ticks),
      _check(fileExists, dirExists, driveType) {}

void ScanRegistryForErrorsImpl::expandScanMessage(std::string& text) {
    StringHelper::replaceAll(text, "%FOUND_ERRORS%", std::to_string(_registryChanges.size()));
    StringHelper::replaceAll(text, "%SCAN_TIME%", scanTimeText(_scanSeconds));
}

void ScanRegistryForErrorsImpl::loadDefinitions(const std::string& xmlText) {
    loadRegistryScanDefinitions(xmlText, _definitions);
}

void ScanRegistryForErrorsImpl::clearDefinitions() {
    _definitions.clear();
    _registryChanges.clear();
    _problems.clear();
}

void ScanRegistryForErrorsImpl::fix(ScanResults& results, std::string&) {
    _fixTime.reset();
    bool removing = false;
    for (RegistryErrorEntry& entry : _registryChanges) entry.selected = false;
    for (const RegistryModification& record : results.registryChanges) {
        if (!record.state.selected || record.state.applied) continue;
        if (RegistryErrorEntry* entry = _entryOf(record, &RegistryErrorEntry::selected)) removing = entry->selected = true;
    }
    if (!removing) return;
    _fixTime = _localTime.now();
    try {
        _writeUndo(_logFolder.path(), *_fixTime, &RegistryErrorEntry::selected);
    } catch (const exceptions::Exception& failure) {
        throw TamblixEngineException(
            "No registry value was removed: the undo file that brings them back could not be written.\n\n" +
            failure.getMessage());
    }
}

void ScanRegistryForErrorsImpl::scan(ScanResults& results, ScanProgressListener* progress) {
    try {
        _scan(results, *progress);
    } catch (const exceptions::Exception& failure) {
        throw TamblixEngineException("An error occured while scanning with the ScanRegistry plugin.\n\n" +
                                     failure.getMessage());
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
}

void ScanRegistryForErrorsImpl::_scan(ScanResults& results, ScanProgressListener& progress) {
    const std::uint32_t started = _ticks.getTickCount();
    _registryChanges.clear();
    _problems.clear();
    _statistics = {};
    const MissingFileCheck::Counts checksBefore = _check.counts();
    for (const RegistryScanKey& key : _definitions.scanKeys) _walk(key.root, key.subkey, progress);
    _scanSeconds = (_ticks.getTickCount() - started) / 1000;
    _check.clearCache();
    const MissingFileCheck::Counts& checks = _check.counts();
    _statistics.checks = {checks.fileTests - checksBefore.fileTests, checks.directoryTests - checksBefore.directoryTests,
                          checks.driveTests - checksBefore.driveTests, checks.cacheHits - checksBefore.cacheHits};
    _appendRecords(results);
    results.scanProblems.insert(results.scanProblems.end(), _problems.begin(), _problems.end());
}

void ScanRegistryForErrorsImpl::_walk(std::uint32_t root, const std::string& subkey, ScanProgressListener& progress) {
    if (_cancelled) return;
    try {
        const std::unique_ptr<RegistryKey> key = _registry.openKey(root, subkey, ACCESS_READ);
        const std::string fullName = key->getFullName();
        if (_definitions.keyWhitelist.count(fullName)) return;
        ++_statistics.keys;
        progress.progress("Scanning: " + fullName);
        const std::unique_ptr<RegistryReader> reader = _registry.createReader(key.get());
        for (const std::string& name : reader->enumSubkeys())
            _walk(root, subkey.empty() ? name : subkey + "\\" + name, progress);
        _examineValues(root, subkey, fullName, *reader);
    } catch (const RegistryAccessDeniedException&) {
        // A key this user may not read is none of the scan's business.
    } catch (const RegistryKeyNotFoundException& missing) {
        _problems.push_back(IGNORE_PREFIX + missing.getMessage());
    }
}

void ScanRegistryForErrorsImpl::_examineValues(std::uint32_t root, const std::string& subkey,
                                               const std::string& fullName, RegistryReader& reader) {
    std::vector<std::pair<std::string, RegistryData>> values;
    try {
        values = reader.enumValues();
    } catch (const windows::info::ExpandException&) {
        values = _readEachValue(fullName, reader);
    }
    for (const auto& [name, data] : values) {
        ++_statistics.values;
        if (_check.isMissingFileReference(name, _definitions.pathWhitelist))
            _addEntry(root, subkey, name, data, true, reader);
        else if (data.isString() && _check.isMissingFileReference(data.getString(), _definitions.pathWhitelist))
            _addEntry(root, subkey, name, data, false, reader);
    }
}

std::vector<std::pair<std::string, RegistryData>> ScanRegistryForErrorsImpl::_readEachValue(
    const std::string& fullName, RegistryReader& reader) {
    std::vector<std::pair<std::string, RegistryData>> values;
    for (const std::string& name : reader.valueNames()) {
        try {
            values.emplace_back(name, reader.readValue(name));
        } catch (const windows::info::ExpandException& failure) {
            _problems.push_back(IGNORE_PREFIX + "The value '" + fullName + "\\" + name +
                                "' was not examined.\n\n" + failure.getMessage());
        }
    }
    return values;
}

void ScanRegistryForErrorsImpl::_addEntry(std::uint32_t root, const std::string& subkey, const std::string& name,
                                          const RegistryData& data, bool namePoints, RegistryReader& reader) {
    RegistryErrorEntry entry;
    entry.root = root;
    entry.subkey = subkey;
    entry.valueName = name;
    entry.data = data;
    entry.namePoints = namePoints;
    try {
        entry.stored = reader.readRawValue(name);
    } catch (const RegistryException&) {
        // The undo file then writes the data as it was read.
    }
    _registryChanges.push_back(std::move(entry));
}

void ScanRegistryForErrorsImpl::_appendRecords(ScanResults& results) {
    std::vector<RegistryModification>& records = results.registryChanges;
    const std::size_t first = records.size();
    for (const RegistryErrorEntry& entry : _registryChanges) {
        try {
            records.push_back(makeRegistryErrorRecord(entry, _definitions, _groupCounter++));
        } catch (const exceptions::Exception& failure) {
            assertionFailed(failure.getMessage(), __FILE__, __LINE__);
            records.emplace_back();
        }
    }
    // Findings with the same heading and template stand together.
    std::stable_sort(records.begin() + static_cast<std::ptrdiff_t>(first), records.end(),
                     [](const RegistryModification& a, const RegistryModification& b) {
                         return a.description < b.description;
                     });
}

void ScanRegistryForErrorsImpl::fixFinished(ScanResults& results) {
    if (results.registryChanges.empty()) return;
    for (const RegistryModification& record : results.registryChanges) {
        if (!record.state.selected || !record.state.applied) continue;
        if (RegistryErrorEntry* entry = _entryOf(record, &RegistryErrorEntry::applied)) entry->applied = true;
    }
    writeUndoFile(_logFolder.path(), _fixTime ? *_fixTime : _localTime.now());
}

RegistryErrorEntry* ScanRegistryForErrorsImpl::_entryOf(const RegistryModification& record,
                                                        bool RegistryErrorEntry::*flag) {
    // Records of the zone plugins share the vector and have no entry here.
    for (RegistryErrorEntry& entry : _registryChanges) {
        if (!(entry.*flag) && entry.root == record.root && sameText(entry.subkey, record.subkey) &&
            sameText(entry.valueName, record.valueName))
            return &entry;
    }
    return nullptr;
}

void ScanRegistryForErrorsImpl::writeUndoFile(const std::string& folder, const std::tm& time) {
    _writeUndo(folder, time, &RegistryErrorEntry::applied);
}

void ScanRegistryForErrorsImpl::_writeUndo(const std::string& folder, const std::tm& time,
                                           bool RegistryErrorEntry::*covered) {
    const std::string stamp = platform::timeText(time);
    std::string text = undoFileHeader(stamp);
    for (const RegistryErrorEntry& entry : _registryChanges)
        if (entry.*covered) text += undoEntryText(entry) + "\n\n";
    _writer.writeFile(folder + "\\" + undoFileName(stamp), undoFileBytes(text));
}

}  // namespace com::quorvex::products::tamblix
