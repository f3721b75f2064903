#pragma once
// A scan plugin: reads its own section of the definitions, scans one area of the
// machine and appends suggestions to the engine's results.
//
// The engine calls every operation on all plugins in their fixed order, on one
// thread at a time, except setCancelled(true), which comes from the window's
// thread while scan runs on the worker: a plugin that honours the flag must keep
// it in an atomic word and test it between units of work, returning early with
// the records it already appended.

#include <string>

#include "engine/plugins/ScanProgressListener.h"
#include "engine/plugins/ScanResults.h"

namespace com::quorvex::products::tamblix {

class Plugin {
public:
    virtual ~Plugin() = default;
    // Replaces placeholders of the plugin's own in a message text.
    virtual void expandScanMessage(std::string& text) = 0;
    // Appends this plugin's suggestions and problems; progress is never null. A
    // failure that makes the whole scan pointless is thrown.
    virtual void scan(ScanResults& results, ScanProgressListener* progress) = 0;
    virtual bool hasDefinitions() const = 0;
    // Adds the entries of one whole definitions document to those loaded before.
    virtual void loadDefinitions(const std::string& xmlText) = 0;
    virtual void setCancelled(bool cancelled) = 0;
    virtual void clearDefinitions() = 0;
    // Carries out this plugin's own selected, unapplied records and returns its
    // log section (ending in a blank line), or leaves logSection empty.
    virtual void fix(ScanResults& results, std::string& logSection) = 0;
    // Called after the log was written, on plugins that have definitions.
    virtual void fixFinished(ScanResults& results) = 0;
};

}  // namespace com::quorvex::products::tamblix
