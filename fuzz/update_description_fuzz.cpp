// The updater over an update description of arbitrary bytes. Sessions and the
// signature check are stood in by peers in this file: every mirror serves one
// fixed signed edition, and the check accepts it. A run ends in one of the
// results or in the product's own failure, whose text never carries a 0 byte;
// an installed pair is always the served one, whole.

#include <map>

#include "fuzz/FuzzSupport.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"
#include "update/TamblixUpdateImpl.h"
#include "update/UpdateDescription.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/install/DefinitionsInstall.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/XmlSignature.h"

using namespace com::quorvex::products::tamblix;

namespace {

const std::string DESCRIPTION = "http://updates.test/update.xml";

std::vector<char> bytesOf(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

const std::vector<char>& editionContainer() {
    static const std::vector<char> container = compression::ZlibCompressionStream().compress(
        bytesOf("<tamblix-definition><derivate-product-info><update-counter>9</update-counter>"
                "</derivate-product-info></tamblix-definition>"),
        1000000);
    return container;
}

const std::vector<char>& editionSignature() {
    static const std::vector<char> signature =
        bytesOf(encryption::pki::XmlSignature().create(std::vector<char>(20, 'd'), std::vector<char>(128, 's'), "d"));
    return signature;
}

class FuzzSession : public windows::internet::InternetSession {
public:
    FuzzSession(const std::vector<char>& description, std::size_t limit) : _description(description), _limit(limit) {}
    std::vector<char> download(const std::string& url) override {
        const std::vector<char>& body = url == DESCRIPTION                         ? _description
                                        : url.find("-sig") != std::string::npos ? editionSignature()
                                                                                : editionContainer();
        if (body.size() > _limit) throw windows::internet::InternetSessionException("too long: " + url);
        _bytesRead = static_cast<int>(body.size());
        notifyObservers();
        return body;
    }
    int getBytesRead() override { return _bytesRead; }
    void cancel() override {}

private:
    const std::vector<char>& _description;
    std::size_t _limit;
    int _bytesRead = 0;
};

struct FuzzSessions : windows::internet::InternetSessionFactory {
    std::vector<char> description;
    std::unique_ptr<windows::internet::InternetSession> createSession(std::size_t limit) override {
        return std::make_unique<FuzzSession>(description, limit);
    }
};

struct AcceptingCheck : encryption::pki::MsCheckSignature {
    bool check(platform::file::IStream&, const std::vector<char>&, platform::file::IStream&) override { return true; }
};

struct Files : platform::file::FileWriter, platform::file::FileRemover {
    std::map<std::string, std::vector<char>> files;
    void writeFile(const std::string& path, const std::vector<char>& bytes, int) override { files[path] = bytes; }
    void removeFile(const std::string& path) override { files.erase(path); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSessions sessions;
    sessions.description = fuzz::bytes(data, size);
    Files files;
    AcceptingCheck check;
    compression::ZlibUncompressionStream uncompressor;
    TamblixUpdateImpl updater(sessions, files, check, 1);
    int result = -1;
    try {
        result = updater.update(DESCRIPTION, 5, files, uncompressor, std::vector<char>(148, 'k'));
    } catch (const exceptions::Exception& e) {
        FUZZ_REQUIRE(e.getMessage().find('\0') == std::string::npos);
        return 0;
    }
    FUZZ_REQUIRE(result == TamblixUpdate::UPDATED || result == TamblixUpdate::NOT_UPDATED);
    FUZZ_REQUIRE(files.files.empty() || files.files.size() == 2);
    if (!files.files.empty()) {
        FUZZ_REQUIRE(files.files[install::INSTALLED_DEFINITIONS] == editionContainer());
        FUZZ_REQUIRE(files.files[install::INSTALLED_SIGNATURE] == editionSignature());
    }
    return 0;
}
