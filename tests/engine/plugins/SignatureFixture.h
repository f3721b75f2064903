#pragma once
// The file signature plugin over a small prefix in a scratch folder (its real
// file services and zip reader), with the progress texts it sends recorded.

#include <memory>
#include <string>
#include <vector>

#include "engine/plugins/SignaturePlugin.h"
#include "platform/zip/FileArchiveSource.h"
#include "platform/zip/ZipReaderImpl.h"
#include "tests/platform/file/PrefixFixture.h"

namespace signature_tests {

struct RecordedProgress : com::quorvex::products::tamblix::ScanProgressListener {
    std::vector<std::string> texts;
    void progress(std::string text) override { texts.push_back(std::move(text)); }
};

// A definitions document whose signature section holds the given groups.
inline std::string definitions(const std::string& groups, const std::string& cutoff = "") {
    return "<tamblix-definition><modifications><file-signature-plugin>" + groups +
           (cutoff.empty() ? "" : "<vossek-cutoff>" + cutoff + "</vossek-cutoff>") +
           "</file-signature-plugin></modifications></tamblix-definition>";
}

class SignatureFixture : public file_tests::PrefixFixture {
protected:
    com::quorvex::products::tamblix::SignaturePlugin& plugin() {
        if (!_plugin) {
            auto& files = services();
            _archives = std::make_unique<com::quorvex::products::tamblix::FileArchiveSource>(files.fileCalls());
            _zip = std::make_unique<com::quorvex::products::tamblix::ZipReaderImpl>(*_archives);
            _plugin = std::make_unique<com::quorvex::products::tamblix::SignaturePlugin>(
                files.fileReader(), files.driveEnumerator(), files.fileFinder(), *_zip);
        }
        return *_plugin;
    }
    void scan() { plugin().scan(results, &progress); }
    // The next plugin() is a new one: no definitions, no cutoff.
    void freshPlugin() { _plugin.reset(); }

    // Each suggestion as "path|member|description|variant|selected".
    std::vector<std::string> suggestions() const {
        std::vector<std::string> lines;
        for (const auto& change : results.fileChanges)
            lines.push_back(change.path + "|" + change.innerName + "|" + change.description + "|" +
                            (change.variant ? "variant" : "exact") + "|" + (change.state.selected ? "on" : "off"));
        return lines;
    }

    com::quorvex::products::tamblix::ScanResults results;
    RecordedProgress progress;

private:
    std::unique_ptr<com::quorvex::products::tamblix::FileArchiveSource> _archives;
    std::unique_ptr<com::quorvex::products::tamblix::ZipReaderImpl> _zip;
    std::unique_ptr<com::quorvex::products::tamblix::SignaturePlugin> _plugin;
};

}  // namespace signature_tests
