#include "platform/zip/ZipReaderImpl.h"

#include <unzip.h>

#include "platform/zip/MinizipArchive.h"

namespace com::quorvex::products::tamblix {

namespace {

std::string code(int result) { return std::to_string(result); }

// Calls each(entry) for every member in central-directory order; listing
// failures throw the texts of method.
template <class Each>
void walkMembers(const MinizipArchive& archive, const std::string& zipPath, const std::string& method, Each each) {
    const std::string tail = ". Method: '" + method + "'.";
    unsigned long count = 0;
    if (const int result = archive.memberCount(count); result != UNZ_OK)
        throw ZipReaderException("Error getting file info from zip file '" + zipPath +
                                 "' using 'unzGetGlobalInfo'. Error code: " + code(result) + tail);
    for (unsigned long i = 0; i < count; ++i) {
        ZipEntry entry;
        if (const int result = archive.currentEntry(entry); result != UNZ_OK)
            throw ZipReaderException("Error while getting file info from '" + zipPath +
                                     "' using  'unzGetCurrentFileInfo'. Error code: " + code(result) + tail);
        each(entry);
        if (i + 1 == count) break;
        if (const int result = unzGoToNextFile(archive.handle()); result != UNZ_OK)
            throw ZipReaderException("Error moving to next file in '" + zipPath +
                                     "' using 'unzGoToNextFile'. Error code: " + code(result) + tail);
    }
}

}  // namespace

std::vector<ZipEntry> ZipReaderImpl::getFileInfo(const std::string& zipPath) {
    const MinizipArchive archive(_source, zipPath, "getFileInfo");
    std::vector<ZipEntry> entries;
    walkMembers(archive, zipPath, "getFileInfo", [&](const ZipEntry& entry) { entries.push_back(entry); });
    return entries;
}

std::vector<char> ZipReaderImpl::loadFromZip(const std::string& zipPath, const std::string& memberName) {
    const std::string method = "loadFromZip";
    const MinizipArchive archive(_source, zipPath, method);
    const std::string notFound = "File '" + memberName + "' not found in '" + zipPath + "'. Method: '" + method + "'.";
    // Case 2: names compare without regard to case, as on Windows.
    if (archive.handle() == nullptr || unzLocateFile(archive.handle(), memberName.c_str(), 2) != UNZ_OK)
        throw ZipReaderException(notFound);
    ZipEntry entry;
    if (archive.currentEntry(entry) != UNZ_OK) throw ZipReaderException(notFound);
    entry.name = memberName;
    std::vector<char> bytes;
    archive.readCurrent(bytes, entry, zipPath, method);
    return bytes;
}

void ZipReaderImpl::readMembers(const std::string& zipPath, ZipMemberVisitor& visitor) {
    const std::string method = "readMembers";
    const MinizipArchive archive(_source, zipPath, method);
    walkMembers(archive, zipPath, method, [&](const ZipEntry& entry) {
        if (!visitor.wants(entry)) return;
        try {
            archive.readCurrent(_buffer, entry, zipPath, method);
        } catch (const ZipReaderException& failure) {
            visitor.failed(entry, failure);
            return;
        }
        visitor.read(entry, _buffer.data(), _buffer.size());
    });
}

}  // namespace com::quorvex::products::tamblix
