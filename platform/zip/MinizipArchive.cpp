#include "platform/zip/MinizipArchive.h"

#include <unzip.h>

#include <limits>
#include <memory>

#include "platform/failure/Assertion.h"

namespace com::quorvex::products::tamblix {

namespace {

// minizip's file functions over one std::istream each.
struct Opened {
    std::unique_ptr<std::istream> stream;
};

voidpf ZCALLBACK openStream(voidpf opaque, const void* filename, int) {
    auto* source = static_cast<ArchiveSource*>(opaque);
    auto stream = source->open(*static_cast<const std::string*>(filename));
    if (!stream) return nullptr;
    return new Opened{std::move(stream)};
}

uLong ZCALLBACK readStream(voidpf, voidpf opened, void* buffer, uLong size) {
    std::istream& in = *static_cast<Opened*>(opened)->stream;
    in.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    return static_cast<uLong>(in.gcount());
}

uLong ZCALLBACK writeStream(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellStream(voidpf, voidpf opened) {
    std::istream& in = *static_cast<Opened*>(opened)->stream;
    in.clear();
    const auto at = in.tellg();
    return at < 0 ? std::numeric_limits<ZPOS64_T>::max() : static_cast<ZPOS64_T>(at);
}

long ZCALLBACK seekStream(voidpf, voidpf opened, ZPOS64_T offset, int origin) {
    std::istream& in = *static_cast<Opened*>(opened)->stream;
    if (offset > static_cast<ZPOS64_T>(std::numeric_limits<std::streamoff>::max())) return -1;
    std::ios::seekdir from = std::ios::beg;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) from = std::ios::cur;
    if (origin == ZLIB_FILEFUNC_SEEK_END) from = std::ios::end;
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset), from);
    return in.fail() ? -1 : 0;
}

int ZCALLBACK closeStream(voidpf, voidpf opened) {
    delete static_cast<Opened*>(opened);
    return 0;
}

int ZCALLBACK streamError(voidpf, voidpf opened) { return static_cast<Opened*>(opened)->stream->bad() ? 1 : 0; }

// minizip takes an end record at the very start of the bytes for none at all, so
// an archive without members (nothing but that record and its comment) is told
// apart here.
bool isEmptyArchive(ArchiveSource& source, const std::string& path) {
    const auto stream = source.open(path);
    if (!stream) return false;
    char record[22] = {};
    stream->read(record, sizeof record);
    if (stream->gcount() != sizeof record) return false;
    const auto word = [&](int at) { return (unsigned char)record[at] | (unsigned char)record[at + 1] << 8; };
    if (std::string(record, 4) != "PK\x05\x06" || word(8) != 0 || word(10) != 0) return false;
    const int commentLength = word(20);
    std::string comment(static_cast<std::size_t>(commentLength) + 1, '\0');
    stream->read(comment.data(), static_cast<std::streamsize>(comment.size()));
    return stream->gcount() == commentLength;
}

}  // namespace

MinizipArchive::MinizipArchive(ArchiveSource& source, const std::string& path, const std::string& method) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openStream;
    functions.zread_file = readStream;
    functions.zwrite_file = writeStream;
    functions.ztell64_file = tellStream;
    functions.zseek64_file = seekStream;
    functions.zclose_file = closeStream;
    functions.zerror_file = streamError;
    functions.opaque = &source;
    _handle = unzOpen2_64(&path, &functions);
    if (_handle == nullptr && isEmptyArchive(source, path)) return;
    if (_handle == nullptr)
        throw ZipReaderException("Cannot open '" + path + "' using 'unzOpen'. Method: '" + method + "'.");
}

MinizipArchive::~MinizipArchive() {
    if (_handle != nullptr) unzClose(_handle);
}

int MinizipArchive::memberCount(unsigned long& count) const {
    count = 0;
    if (_handle == nullptr) return UNZ_OK;
    unz_global_info64 info{};
    const int result = unzGetGlobalInfo64(_handle, &info);
    count = static_cast<unsigned long>(info.number_entry);
    return result;
}

int MinizipArchive::currentEntry(ZipEntry& entry) const {
    unz_file_info info{};
    char name[256] = {};
    const int result = unzGetCurrentFileInfo(_handle, &info, name, sizeof name, nullptr, 0, nullptr, 0);
    if (result != UNZ_OK) return result;
    // minizip ends the name with a zero only when it is shorter than the buffer.
    const std::size_t length = std::min<std::size_t>(info.size_filename, sizeof name - 1);
    entry.name.assign(name, length);
    entry.uncompressedSize = static_cast<std::uint32_t>(info.uncompressed_size);
    return UNZ_OK;
}

void MinizipArchive::readCurrent(std::vector<char>& buffer, const ZipEntry& entry, const std::string& path,
                                 const std::string& method) const {
    const std::string where = "'" + entry.name + "' from '" + path + "'";
    const std::string tail = ". Method: '" + method + "'.";
    unz_file_info info{};
    unzGetCurrentFileInfo(_handle, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    // An encrypted member would be read as its cipher text, and minizip hands
    // out the raw bytes of bzip2 members: only stored and deflated ones are read.
    const bool readable = (info.flag & 1) == 0 && (info.compression_method == 0 || info.compression_method == Z_DEFLATED);
    if (!readable || unzOpenCurrentFile(_handle) != UNZ_OK)
        throw ZipReaderException("File '" + entry.name + "' not found in '" + path + "'" + tail);
    buffer.resize(entry.uncompressedSize);
    TAMBLIX_ASSERT(buffer.size() == entry.uncompressedSize);
    const int got = buffer.empty() ? 0 : unzReadCurrentFile(_handle, buffer.data(), entry.uncompressedSize);
    // The check covers the whole member: a member longer or shorter than its
    // stated size, or whose bytes differ from their CRC, is damaged.
    char beyond = 0;
    const int extra = got < 0 ? 0 : unzReadCurrentFile(_handle, &beyond, 1);
    const int closed = unzCloseCurrentFile(_handle);
    if (got < 0 || extra < 0) throw ZipReaderException("Error reading " + where + " using 'unzReadCurrentFile'" + tail);
    if (static_cast<std::uint32_t>(got) != entry.uncompressedSize || extra != 0 || closed != UNZ_OK)
        throw ZipReaderException("Error reading " + where + ": the bytes do not match the archive's CRC check" + tail);
}

}  // namespace com::quorvex::products::tamblix
