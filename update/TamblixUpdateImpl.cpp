#include "update/TamblixUpdateImpl.h"

#include <algorithm>

#include "platform/failure/Assertion.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlExceptions.h"
#include "update/ServerText.h"
#include "update/UpdateCounter.h"
#include "update/UpdateDescription.h"
#include "update/UpdateLimits.h"
#include "update/compression/CompressionException.h"
#include "update/compression/UncompressionStream.h"
#include "update/install/DefinitionsInstall.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/SignatureException.h"
#include "update/signature/XmlSignature.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::internet::CancelledException;
using windows::internet::InternetSession;
using windows::internet::InternetSessionException;

constexpr const char* CONTAINER_SUFFIX = ".xml.tam";
constexpr const char* NEW_COUNTER_PATH = "//tamblix-definition/derivate-product-info/update-counter";
constexpr std::size_t DEFINITION_QUOTE = 512;

std::string textOf(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string quoted(const std::string& text) { return quotedServerText(text, text.size()); }

}  // namespace

struct TamblixUpdateImpl::Run {
    const std::string& url;
    int currentCounter;
    platform::file::FileWriter& writer;
    compression::UncompressionStream& uncompressor;
    const std::vector<char>& publicKey;
};

std::uint32_t TamblixUpdateImpl::randomSeed() { return std::random_device()(); }

TamblixUpdateImpl::TamblixUpdateImpl(windows::internet::InternetSessionFactory& sessions,
                                     platform::file::FileRemover& remover, encryption::pki::MsCheckSignature& checker,
                                     std::uint32_t seed)
    : _sessions(sessions), _remover(remover), _checker(checker), _random(seed) {}

TamblixUpdateImpl::~TamblixUpdateImpl() { _dropSessions(); }

std::string TamblixUpdateImpl::signatureAddress(const std::string& definitionAddress) {
    std::string address = definitionAddress;
    address.insert(address.find(CONTAINER_SUFFIX), "-sig");
    address.resize(address.size() - 4);
    return address;
}

int TamblixUpdateImpl::update(const std::string& url, int currentCounter, platform::file::FileWriter& writer,
                              compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey) {
    struct DropSessions {
        TamblixUpdateImpl& updater;
        ~DropSessions() { updater._dropSessions(); }
    } dropSessions{*this};
    {
        std::lock_guard<std::mutex> hold(_lock);
        _cancelled = false;
    }
    // An observer that was asked to cancel before this run could see it passes
    // the cancel on from here.
    notifyObservers();
    Run run{url, currentCounter, writer, uncompressor, publicKey};
    try {
        return _run(run);
    } catch (const CancelledException&) {
        return CANCELLED;
    } catch (const io::filesystem::SaveFileException& e) {
        throw TamblixUpdateException(
            "Error updating database. Could not save the new database on the hard drive.\n" + e.getMessage());
    } catch (const windows::com::xml::XMLException& e) {
        throw TamblixUpdateException("Error updating database. Problems parsing the xml data in the update file.\n" +
                                     quoted(e.getMessage()));
    } catch (const encryption::pki::SignatureException& e) {
        throw TamblixUpdateException("Error updating database. Problems verifying the signature.\n" + e.getMessage());
    } catch (const compression::CompressionException& e) {
        throw TamblixUpdateException(
            "Error updating database. Problems uncompressing the downloaded definition file.\n" +
            quoted(e.getMessage()));
    }
}

int TamblixUpdateImpl::_run(Run& run) {
    InternetSession& descriptionSession = _newSession(_descriptionSession, DESCRIPTION_LIMIT);
    std::vector<char> response;
    try {
        response = descriptionSession.download(run.url);
    } catch (const CancelledException&) {
        throw;
    } catch (const InternetSessionException& e) {
        throw TamblixUpdateException("Error updating the database.\n" + quoted(e.getMessage()));
    }
    const UpdateDescription description(response, run.url);
    if (run.currentCounter >= description.counter()) return NOT_UPDATED;

    for (UpdateItem& item : description.items()) {
        _expectedSize = item.size;
        if (item.type != UpdateDescription::DEFINITION_TYPE) {
            TAMBLIX_ASSERT(false);
            continue;
        }
        std::shuffle(item.urls.begin(), item.urls.end(), _random);
        std::string errorLog;
        bool installed = false;
        for (const std::string& address : item.urls) {
            try {
                installed = _tryMirror(run, item, address);
            } catch (const CancelledException&) {
                throw;
            } catch (const InternetSessionException& e) {
                errorLog += quoted(e.getMessage()) + "\n";
            }
            if (installed) break;
        }
        if (!installed) throw TamblixUpdateException("Could not update the definition file. Error log:\n" + errorLog);
    }
    return UPDATED;
}

bool TamblixUpdateImpl::_tryMirror(Run& run, const UpdateItem&, const std::string& address) {
    InternetSession& definitionSession = _newSession(_definitionSession, DEFINITIONS_LIMIT);
    definitionSession.addObserver(&_progress);
    const std::vector<char> definition = definitionSession.download(address);

    InternetSession& signatureSession = _newSession(_signatureSession, SIGNATURE_LIMIT);
    if (address.find(CONTAINER_SUFFIX) == std::string::npos)
        throw TamblixUpdateException(
            "Incorrect naming of definition file, it should end with '.xml.tam'The definition file is named: " +
            quoted(address));
    const std::vector<char> signature = signatureSession.download(signatureAddress(address));

    const std::vector<char> uncompressed = run.uncompressor.uncompress(definition, DEFINITIONS_LIMIT);
    const std::string document = textOf(signature);
    const std::string text = textOf(uncompressed);
    const std::string lead = quotedServerText(text, DEFINITION_QUOTE);

    std::vector<char> digest, signatureBytes;
    encryption::pki::XmlSignature parser;
    if (!parser.parse(document, digest, signatureBytes))
        throw TamblixUpdateException(
            "Error parsing the detached XmlSignature. The following shows the complete XmlSignature downloaded from "
            "the server: [" +
            quoted(document) + "]");
    platform::file::TestStreamImpl keyStream(run.publicKey);
    platform::file::TestStreamImpl signatureStream(signatureBytes);
    if (!_checker.check(keyStream, uncompressed, signatureStream))
        throw TamblixUpdateException("The signature did not match the definition file. \nThe Xml signature: [" +
                                     quoted(document) + "]\n\nThe first 512 bytes from the definition file: [" +
                                     lead + "]");

    windows::com::xml::XmlDocument xml;
    xml.loadXml(text);
    const auto counters = xml.selectNodes(NEW_COUNTER_PATH);
    if (counters.getLength() != 1)
        throw TamblixUpdateException("Could not get the value in the new xml definition file for the following path: " +
                                     std::string(NEW_COUNTER_PATH) + "\nUncompressed response from the web server [" +
                                     lead + "..]");
    const int counter = counterOfText(windows::com::xml::XmlElement(counters.getItem(0)).getText());
    if (run.currentCounter >= counter)
        throw TamblixUpdateException(
            "Problems updating. The downloaded definition has an update number smaller or equal to the "
            "current.\nUncompressed response from the web server [" +
            lead + "..]");

    {
        // A cancel that came after the last download still keeps the installed pair.
        std::lock_guard<std::mutex> hold(_lock);
        if (_cancelled) throw CancelledException("The update was cancelled before the new definitions were saved.");
    }
    install::installDefinitions(run.writer, _remover, definition, signature);
    return true;
}

InternetSession& TamblixUpdateImpl::_newSession(Session& slot, std::size_t bodyLimit) {
    std::lock_guard<std::mutex> hold(_lock);
    slot.reset();
    slot = _sessions.createSession(bodyLimit);
    if (!slot) throw InternetSessionException("No download session could be made.");
    if (_cancelled) slot->cancel();
    return *slot;
}

void TamblixUpdateImpl::_dropSessions() {
    std::lock_guard<std::mutex> hold(_lock);
    _descriptionSession.reset();
    _definitionSession.reset();
    _signatureSession.reset();
}

void TamblixUpdateImpl::cancel() {
    std::lock_guard<std::mutex> hold(_lock);
    _cancelled = true;
    for (Session* session : {&_descriptionSession, &_definitionSession, &_signatureSession})
        if (*session) (*session)->cancel();
}

void TamblixUpdateImpl::ProgressObserver::onNotify(Observable* source) {
    const int expected = _updater._expectedSize;
    if (expected < 1) return;
    const long long bytes = static_cast<InternetSession*>(source)->getBytesRead();
    const int percent = static_cast<int>(std::min<long long>(bytes * 100 / expected, 100));
    if (_updater._progressPercent.exchange(percent) != percent) _updater.notifyObservers();
}

}  // namespace com::quorvex::products::tamblix
