#include "engine/FixLog.h"
#include "engine/SubkeyPath.h"
#include "engine/TamblixEngineImpl.h"
#include "engine/plugins/RegistryGroups.h"
#include "platform/failure/Assertion.h"
#include "platform/file/DirectoryCreator.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"
#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"
#include "platform/registry/RegistryKeyNames.h"
#include "platform/registry/RegistryService.h"
#include "platform/util/Clocks.h"
#include "platform/util/DateAndTime.h"

namespace com::quorvex::products::tamblix {

namespace registry = windows::registry;

void TamblixEngineImpl::_fix() {
    try {
        _fixPhase();
    } catch (const io::IOException& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "IOException");
        setState(ENGINE_FIX_FAILED);
    } catch (const registry::RegistryException& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "RegistryException");
        setState(ENGINE_FIX_FAILED);
    } catch (const exceptions::Exception& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "Exception");
        setState(ENGINE_FIX_FAILED);
    } catch (...) {
        _recordFailure("TamblixEngineImpl::_fix()", nullptr, "");
        setState(ENGINE_FIX_FAILED);
    }
}

void TamblixEngineImpl::_fixPhase() {
    TAMBLIX_ASSERT(_state == ENGINE_SCAN_FINISHED);
    setState(ENGINE_FIXING);
    _registryLogLines.clear();
    _fileLogLines.clear();
    _results.fixProblems.clear();
    const ProductInformation product = getProductInformation();

    // The log folder comes first: a fix whose log could not be kept changes nothing.
    const std::string folder = _logFolder.locate(product.productName);
    _services.dirCreator->createDirectory(folder);

    propagateGroupSelection(_results.registryChanges);
    std::string pluginSections;
    for (auto& plugin : _plugins) {
        std::string section;
        plugin->fix(_results, section);
        pluginSections += section;
    }
    _applyRegistryChanges();
    _applyFileChanges();

    FixLogContent content;
    content.productName = product.productName;
    content.productVersion = product.productVersion;
    content.productUrl = product.productUrl;
    content.troubleshootUrl = product.troubleshootUrl;
    content.registryLines = _registryLogLines;
    content.fileLines = _fileLogLines;
    content.pluginSections = pluginSections;
    content.problems = _results.fixProblems;
    const std::string text = composeFixLog(content);
    const std::tm now = _services.localTime->now();
    const std::string path = folder + fixLogName(util::dateTimeTextOf(now), util::secondTextOf(now));
    _services.writer->writeFile(path, std::vector<char>(text.begin(), text.end()), 0);
    {
        std::lock_guard<std::recursive_mutex> hold(_lock);
        _logFilePath = path;
    }

    for (auto& plugin : _plugins)
        if (plugin->hasDefinitions()) plugin->fixFinished(_results);
    setState(ENGINE_FIX_FINISHED);
}

void TamblixEngineImpl::_applyRegistryChanges() {
    // Every key a subkey was added or removed for in this fix, as the short root
    // name followed by the subkey path: a key is created or deleted at most once.
    std::map<std::string, bool> done;
    for (auto& record : _results.registryChanges) {
        if (!record.state.selected || record.state.applied) continue;
        try {
            _applyRegistryChange(record, done);
        } catch (const registry::RegistryException& e) {
            _results.fixProblems.push_back(e.getMessage());
        }
    }
}

void TamblixEngineImpl::_applyRegistryChange(RegistryModification& record, std::map<std::string, bool>& done) {
    const std::string root = registry::RegistryKeyNames(true).keyToString(record.root);
    switch (record.action) {
        case RegistryModification::ADD_SUBKEY:
        case RegistryModification::REMOVE_SUBKEY: _applySubkeyChange(record, root, done); break;
        case RegistryModification::SET_VALUE:
        case RegistryModification::REMOVE_VALUE: _applyValueChange(record, root); break;
        default: TAMBLIX_ASSERT(false); break;
    }
}

void TamblixEngineImpl::_applySubkeyChange(RegistryModification& record, const std::string& root,
                                           std::map<std::string, bool>& done) {
    const std::string doneKey = root + record.subkey;
    if (done.count(doneKey)) return;
    const bool adding = record.action == RegistryModification::ADD_SUBKEY;
    const std::string shown = root + "\\" + record.subkey;
    const SubkeyPath path = splitSubkey(record.subkey);
    if (path.child.empty()) {
        _results.fixProblems.push_back("The registry key '" + shown + "' was not " +
                                       (adding ? "added" : "removed") + ": its path names no key.");
        return;
    }
    // Deleting a key directly below a root (HKLM\Software, say) would take a
    // whole branch of the system with it; such a suggestion is never carried out.
    if (!adding && path.belowRoot) {
        _results.fixProblems.push_back("The registry key '" + shown +
                                       "' was not removed: a key directly below a root key is never removed.");
        return;
    }
    const auto key = _services.registry->openKey(
        record.root, path.parent, adding ? registry::ACCESS_CREATE_SUB_KEY : registry::ACCESS_READ);
    const auto writer = _services.registry->createWriter(key.get());
    if (adding)
        writer->createSubkey(path.child, 0)->flush();
    else
        writer->deleteSubkeyTree(path.child);
    // Only a change that is stored counts as made.
    key->flush();
    done[doneKey] = true;
    _registryLogLines.push_back((adding ? "Added subkey: " : "Removed subkey: ") + shown);
    record.state.applied = true;
}

void TamblixEngineImpl::_applyValueChange(RegistryModification& record, const std::string& root) {
    const ModificationValue& data = record.data;
    const bool isDword = data.type == ModificationValue::TYPE_DWORD;
    if (!isDword && data.type != ModificationValue::TYPE_STRING) {
        TAMBLIX_ASSERT(false);  // suggestions carry strings and DWORDs only
        return;
    }
    const std::string valueText = isDword ? std::to_string(data.number) : data.text;
    const std::string shown = root + "\\" + record.subkey;
    const auto key = _services.registry->openKey(record.root, record.subkey, registry::ACCESS_SET_VALUE);
    const auto writer = _services.registry->createWriter(key.get());
    std::string logLine;
    if (record.action == RegistryModification::REMOVE_VALUE) {
        writer->deleteValue(record.valueName);
        logLine = "Removed registry value: " + shown + "," + record.valueName + "=" + valueText;
    } else if (isDword) {
        writer->setDword(record.valueName, data.number, registry::TYPE_DWORD);
        logLine = "New DWORD value: " + shown + "\\" + record.valueName + "=" + valueText;
    } else {
        writer->setString(record.valueName, data.text);
        logLine = "New STRING value: " + shown + "\\" + record.valueName + "=" + valueText;
    }
    // Only a change that is stored counts as made.
    key->flush();
    _registryLogLines.push_back(logLine);
    record.state.applied = true;
}

void TamblixEngineImpl::_applyFileChanges() {
    for (auto& record : _results.fileChanges) {
        if (!record.state.selected || record.state.applied) continue;
        try {
            _services.remover->removeFile(record.path);
            record.state.applied = true;
            _fileLogLines.push_back("Removed " + record.path);
        } catch (const io::filesystem::RemoveFileException& e) {
            _results.fixProblems.push_back(e.getMessage());
        }
    }
}

}  // namespace com::quorvex::products::tamblix
