#include "tools/publisher/Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "engine/plugins/Md5Hasher.h"
#include "engine/plugins/Vossek1Hash.h"
#include "platform/failure/Exception.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/FileReplacement.h"
#include "platform/file/TestStreamImpl.h"
#include "tools/publisher/KeyPair.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/XmlSignature.h"
#include "platform/xml/XmlDocument.h"

namespace publisher {

namespace {

// The engine refuses at start-up a container that announces more than this.
constexpr unsigned long STARTUP_LIMIT = 512000000UL;
constexpr unsigned long NO_LIMIT = 4294967295UL;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string loadFailure(const std::string& path) {
    return "Could not read the file '" + path + "': " + (errno ? std::strerror(errno) : "unknown reason") + ".";
}

// Throws io::filesystem::LoadFileException naming the file and the reason.
std::vector<char> readWholeFile(const std::string& path) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw io::filesystem::LoadFileException(loadFailure(path));
    std::vector<char> bytes;
    char buffer[64 * 1024];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + count);
    if (std::ferror(file.get())) throw io::filesystem::LoadFileException(loadFailure(path));
    return bytes;
}

// Throws io::filesystem::SaveFileException naming the file and the reason; the
// file is then as it was.
void writeWholeFile(const std::string& path, const std::vector<char>& bytes,
                    platform::file::NewPermissions permissions = platform::file::NewPermissions::KEEP) {
    std::string why = "no file name given";
    if (!path.empty()) {
        const auto failure = platform::file::replaceFile(path, {bytes.data(), bytes.size()}, permissions);
        if (!failure) return;
        why = failure.message();
    }
    throw io::filesystem::SaveFileException("Could not write the file '" + path + "': " + why + ".");
}

void expectArguments(const Arguments& arguments, std::size_t least, std::size_t most, const char* command) {
    if (arguments.size() < least || arguments.size() > most)
        throw exceptions::IllegalArgumentException(std::string("Wrong number of arguments for '") + command +
                                                   "'.\n\n" + usage());
}

bool isCompressed(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension.size() == 4 && (extension[1] | 0x20) == 't' && (extension[2] | 0x20) == 'a' &&
           (extension[3] | 0x20) == 'm';
}

// The signed bytes of a definitions file: a compressed one is unpacked first.
std::vector<char> signedBytesOf(const std::string& path) {
    std::vector<char> bytes = readWholeFile(path);
    if (!isCompressed(path)) return bytes;
    compression::ZlibUncompressionStream uncompressor;
    return uncompressor.uncompress(bytes, NO_LIMIT);
}

// The reference a signature names by default: the definitions document's file name.
std::string defaultUri(const std::string& path) {
    std::filesystem::path name = std::filesystem::path(path).filename();
    if (isCompressed(path)) name = name.stem();
    return name.string();
}

int parseBits(const std::string& text) {
    std::size_t used = 0;
    int bits = 0;
    try {
        bits = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw exceptions::IllegalArgumentException("The key size '" + text + "' is not a number of bits.");
    return bits;
}

void refuseExisting(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored))
        throw exceptions::IllegalArgumentException("The file '" + path +
                                                   "' already exists; keygen never replaces a key. Remove it first.");
}

// The text of the one element path selects in the definitions; refuses any other count.
std::string productValue(const windows::com::xml::XmlDocument& definitions, const std::string& key) {
    const std::string path = "//tamblix-definition/derivate-product-info/" + key;
    const auto nodes = definitions.selectNodes(path);
    if (nodes.getLength() != 1)
        throw exceptions::IllegalArgumentException("The definitions must hold exactly one " + path + ".");
    return windows::com::xml::XmlElement(nodes.getItem(0)).getText();
}

std::string xmlEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '&') escaped += "&amp;";
        else if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else escaped += c;
    }
    return escaped;
}

std::string mirrorAddress(std::string base) {
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/definitions.xml.tam";
}

}  // namespace

std::string usage() {
    return "Usage: tamblix-publisher <command> <arguments>\n"
           "\n"
           "  keygen <private.pem> <publickey.dat> [bits]\n"
           "      Makes an RSA key pair (2048 bits unless given): the PEM private key for the\n"
           "      publisher and publickey.dat, the public key that ships with the product.\n"
           "      Existing files are never replaced.\n"
           "  pack <in.xml> <out.xml.tam>\n"
           "      Compresses a definitions document.\n"
           "  unpack <in.xml.tam> <out.xml>\n"
           "      Uncompresses a definitions file.\n"
           "  sign <private.pem> <definitions.xml.tam|definitions.xml> <definitions-sig.xml> [uri]\n"
           "      Signs the uncompressed document and writes its detached signature document.\n"
           "      The reference uri is the document's file name unless given.\n"
           "  verify <publickey.dat> <definitions.xml.tam|definitions.xml> <definitions-sig.xml>\n"
           "      Checks a signature as the engine does.\n"
           "  release <private.pem> <definitions.xml> <outdir> --url <base> [--mirror <base2> ...]\n"
           "      Writes what a server publishes: definitions.xml.tam, definitions-sig.xml and\n"
           "      the update description update.xml (counter and date of the definitions, the\n"
           "      file's size, one address per mirror: <base>/definitions.xml.tam). update.xml\n"
           "      is written last, so it never announces files that are not yet in place.\n"
           "  signature <file>...\n"
           "      Prints a signature element (MD5 and histogram) for each file, ready for the\n"
           "      file-signature-plugin section of the definitions.\n"
           "\n"
           "Exit codes: 0 success (verify: the signature is valid), 1 the signature does not\n"
           "match, 2 an error (its text on standard error).\n";
}

int keygen(const Arguments& arguments) {
    expectArguments(arguments, 2, 3, "keygen");
    const std::string& privatePath = arguments[0];
    const std::string& publicPath = arguments[1];
    const int bits = arguments.size() == 3 ? parseBits(arguments[2]) : DEFAULT_KEY_BITS;
    refuseExisting(privatePath);
    refuseExisting(publicPath);
    const KeyPair pair = generateKeyPair(bits);
    writeWholeFile(privatePath, std::vector<char>(pair.privateKeyPem.begin(), pair.privateKeyPem.end()),
                   platform::file::NewPermissions::OWNER_ONLY);
    try {
        writeWholeFile(publicPath, pair.publicKeyBlob);
    } catch (...) {
        // A private key without its public key is of no use: leave neither.
        std::error_code ignored;
        std::filesystem::remove(privatePath, ignored);
        throw;
    }
    return EXIT_VALID;
}

int pack(const Arguments& arguments) {
    expectArguments(arguments, 2, 2, "pack");
    compression::ZlibCompressionStream compressor;
    writeWholeFile(arguments[1], compressor.compress(readWholeFile(arguments[0]), STARTUP_LIMIT));
    return EXIT_VALID;
}

int unpack(const Arguments& arguments) {
    expectArguments(arguments, 2, 2, "unpack");
    compression::ZlibUncompressionStream uncompressor;
    writeWholeFile(arguments[1], uncompressor.uncompress(readWholeFile(arguments[0]), NO_LIMIT));
    return EXIT_VALID;
}

int sign(const Arguments& arguments) {
    expectArguments(arguments, 3, 4, "sign");
    const std::vector<char> pem = readWholeFile(arguments[0]);
    const std::vector<char> data = signedBytesOf(arguments[1]);
    const std::string uri = arguments.size() == 4 ? arguments[3] : defaultUri(arguments[1]);
    encryption::pki::XmlSignature document;
    const std::string text = document.create(sha1Digest(data), signSha1(std::string(pem.begin(), pem.end()), data), uri);
    writeWholeFile(arguments[2], std::vector<char>(text.begin(), text.end()));
    return EXIT_VALID;
}

int verify(const Arguments& arguments) {
    expectArguments(arguments, 3, 3, "verify");
    const std::vector<char> publicKey = readWholeFile(arguments[0]);
    const std::vector<char> data = signedBytesOf(arguments[1]);
    const std::vector<char> documentBytes = readWholeFile(arguments[2]);
    const std::string document(documentBytes.begin(), documentBytes.end());

    // The same texts as the engine's definitions store gives.
    std::vector<char> digest;
    std::vector<char> signature;
    encryption::pki::XmlSignature reader;
    if (!reader.parse(document, digest, signature))
        throw com::quorvex::products::tamblix::TamblixEngineException(
            "Error parsing the Xml Signature. The xml data size is " + std::to_string(document.size()) +
            " bytes. XML data: [" + document + "].");
    platform::file::TestStreamImpl keyStream(publicKey);
    platform::file::TestStreamImpl signatureStream(signature);
    encryption::pki::MsCheckSignature checker;
    if (!checker.check(keyStream, data, signatureStream)) {
        std::cerr << "The signature did not match the signed data. Public key size: " << publicKey.size()
                  << ". XML data size: " << data.size() << ". Signature size: " << signature.size() << ".\n";
        return EXIT_MISMATCH;
    }
    std::cout << "The signature is valid.\n";
    return EXIT_VALID;
}

int release(const Arguments& arguments) {
    if (arguments.size() < 5)
        throw exceptions::IllegalArgumentException("Wrong number of arguments for 'release'.\n\n" + usage());
    std::vector<std::string> mirrors;
    for (std::size_t i = 3; i < arguments.size(); i += 2) {
        const bool first = i == 3;
        if (arguments[i] != (first ? "--url" : "--mirror") || i + 1 == arguments.size() || arguments[i + 1].empty())
            throw exceptions::IllegalArgumentException(
                "release takes --url <base> and then any number of --mirror <base>.\n\n" + usage());
        mirrors.push_back(mirrorAddress(arguments[i + 1]));
    }
    const std::vector<char> pem = readWholeFile(arguments[0]);
    const std::vector<char> data = readWholeFile(arguments[1]);
    windows::com::xml::XmlDocument definitions;
    definitions.loadXml(std::string(data.begin(), data.end()));
    const std::string counter = productValue(definitions, "update-counter");
    const std::string date = productValue(definitions, "update-date");

    const std::vector<char> container = compression::ZlibCompressionStream().compress(data, STARTUP_LIMIT);
    const std::string signature = encryption::pki::XmlSignature().create(
        sha1Digest(data), signSha1(std::string(pem.begin(), pem.end()), data), "definitions.xml");
    std::string description = "<?xml version=\"1.0\"?>\n<tamblix-update>\n  <derivate-product-info>\n"
                              "    <update-counter>" + xmlEscaped(counter) + "</update-counter>\n"
                              "    <update-date>" + xmlEscaped(date) + "</update-date>\n"
                              "    <items>\n      <item type=\"tamblix-definition\" size=\"" +
                              std::to_string(container.size()) + "\">\n";
    for (const std::string& mirror : mirrors) description += "        <url>" + xmlEscaped(mirror) + "</url>\n";
    description += "      </item>\n    </items>\n  </derivate-product-info>\n</tamblix-update>\n";

    const std::filesystem::path folder(arguments[2]);
    writeWholeFile((folder / "definitions.xml.tam").string(), container);
    writeWholeFile((folder / "definitions-sig.xml").string(), std::vector<char>(signature.begin(), signature.end()));
    writeWholeFile((folder / "update.xml").string(), std::vector<char>(description.begin(), description.end()));
    return EXIT_VALID;
}

}  // namespace publisher

namespace publisher {

std::string signatureElement(const std::vector<char>& bytes) {
    using namespace com::quorvex::products::tamblix;
    const Vossek1Hash vossek;
    return "<signature md5=\"" + md5Hex(bytes.data(), bytes.size()) + "\" vossek1=\"" +
           vossek.format(vossek.compute(bytes.data(), bytes.size())) + "\"/>";
}

int signature(const Arguments& arguments) {
    if (arguments.empty())
        throw exceptions::IllegalArgumentException("Wrong number of arguments for 'signature'.\n\n" + usage());
    for (const std::string& path : arguments) std::cout << signatureElement(readWholeFile(path)) << "\n";
    return EXIT_VALID;
}

}  // namespace publisher
