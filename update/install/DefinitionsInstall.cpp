#include "update/install/DefinitionsInstall.h"

#include <sstream>
#include <string>

#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix::install {

namespace {

constexpr const char* JOURNAL_HEADING = "Tamblix definitions install";

std::vector<char> journalOf(std::size_t definitionsSize, std::size_t signatureSize) {
    const std::string text = std::string(JOURNAL_HEADING) + "\n" + std::to_string(definitionsSize) + "\n" +
                             std::to_string(signatureSize) + "\n";
    return std::vector<char>(text.begin(), text.end());
}

// The sizes a journal names; false for anything that is no journal of ours.
bool readJournal(const std::vector<char>& bytes, std::size_t& definitionsSize, std::size_t& signatureSize) {
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string heading, definitionsLine, signatureLine;
    if (!std::getline(in, heading) || heading != JOURNAL_HEADING) return false;
    if (!std::getline(in, definitionsLine) || !std::getline(in, signatureLine)) return false;
    try {
        std::size_t used = 0;
        definitionsSize = std::stoull(definitionsLine, &used);
        if (used != definitionsLine.size()) return false;
        signatureSize = std::stoull(signatureLine, &used);
        return used == signatureLine.size();
    } catch (const std::exception&) {
        return false;
    }
}

void removeSpares(platform::file::FileRemover& remover) {
    try {
        remover.removeFile(NEW_DEFINITIONS);
        remover.removeFile(NEW_SIGNATURE);
    } catch (const exceptions::Exception&) {
        // Spare copies are never read without a journal; the next start tries again.
    }
}

void putInPlace(platform::file::FileWriter& writer, platform::file::FileRemover& remover,
                const std::vector<char>& definitions, const std::vector<char>& signature) {
    writer.writeFile(INSTALLED_DEFINITIONS, definitions, 0);
    writer.writeFile(INSTALLED_SIGNATURE, signature, 0);
    try {
        remover.removeFile(JOURNAL);
    } catch (const exceptions::Exception&) {
        // The pair is in place; a journal left behind only installs it once more.
        return;
    }
    removeSpares(remover);
}

}  // namespace

void installDefinitions(platform::file::FileWriter& writer, platform::file::FileRemover& remover,
                        const std::vector<char>& definitions, const std::vector<char>& signature) {
    writer.writeFile(NEW_DEFINITIONS, definitions, 0);
    writer.writeFile(NEW_SIGNATURE, signature, 0);
    writer.writeFile(JOURNAL, journalOf(definitions.size(), signature.size()), 0);
    putInPlace(writer, remover, definitions, signature);
}

bool completeInstall(platform::file::FileReader& reader, platform::file::FileWriter& writer,
                     platform::file::FileRemover& remover, platform::file::FileExistsQuery& exists) {
    if (!exists.fileExists(JOURNAL)) {
        if (exists.fileExists(NEW_DEFINITIONS) || exists.fileExists(NEW_SIGNATURE)) removeSpares(remover);
        return false;
    }
    std::size_t definitionsSize = 0, signatureSize = 0;
    const bool journal = readJournal(reader.readFile(JOURNAL, 0), definitionsSize, signatureSize);
    std::vector<char> definitions, signature;
    if (journal && exists.fileExists(NEW_DEFINITIONS) && exists.fileExists(NEW_SIGNATURE)) {
        definitions = reader.readFile(NEW_DEFINITIONS, 0);
        signature = reader.readFile(NEW_SIGNATURE, 0);
    }
    if (!journal || definitions.size() != definitionsSize || signature.size() != signatureSize ||
        (definitions.empty() && signature.empty())) {
        // Not what an install of ours leaves: the installed pair was never touched.
        remover.removeFile(JOURNAL);
        removeSpares(remover);
        return false;
    }
    putInPlace(writer, remover, definitions, signature);
    return true;
}

}  // namespace com::quorvex::products::tamblix::install
