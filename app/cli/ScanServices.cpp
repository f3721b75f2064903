#include "app/cli/ScanServices.h"

#include <algorithm>
#include <cstdio>

#include "platform/failure/Exception.h"

namespace com::quorvex::products::tamblix::cli {

std::string HashedCount::text() const {
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(bytes.load()) / 1e6);
    return std::to_string(files.load()) + " files, " + megabytes + " MB hashed";
}

ScanServices::ScanServices(std::unique_ptr<MachineServices> machine, std::vector<std::string> drives,
                           HashedCount& count)
    : _machine(std::move(machine)) {
    _drives.named = std::move(drives);
    _reader.count = &count;
    _zip.count = &count;
}

EngineServices ScanServices::engineServices(TamblixUpdate& updater, compression::UncompressionStream& uncompressor) {
    EngineServices services = _machine->engineServices(updater, uncompressor);
    _drives.all = &*services.drives;
    _reader.reader = &*services.reader;
    _zip.zip = &*services.zip;
    services.drives = _drives;
    services.reader = _reader;
    services.zip = _zip;
    return services;
}

std::vector<std::string> ScanServices::Drives::enumerateDrives(int driveType) {
    std::vector<std::string> drives = all->enumerateDrives(driveType);
    if (named.empty()) return drives;
    std::erase_if(drives, [&](const std::string& drive) {
        return std::find(named.begin(), named.end(), drive) == named.end();
    });
    return drives;
}

std::vector<char> ScanServices::Reader::readFile(const std::string& path, std::size_t bytesToRead) {
    std::vector<char> bytes = reader->readFile(path, bytesToRead);
    count->add(bytes.size());
    return bytes;
}

void ScanServices::Reader::readFileInto(const std::string& path, std::vector<char>& buffer) {
    reader->readFileInto(path, buffer);
    count->add(buffer.size());
}

std::vector<char> ScanServices::Zip::loadFromZip(const std::string& zipPath, const std::string& memberName) {
    std::vector<char> bytes = zip->loadFromZip(zipPath, memberName);
    count->add(bytes.size());
    return bytes;
}

void ScanServices::Zip::readMembers(const std::string& zipPath, ZipMemberVisitor& given) {
    visitor = &given;
    zip->readMembers(zipPath, *this);
}

void ScanServices::Zip::read(const ZipEntry& entry, const char* bytes, std::size_t size) {
    count->add(size);
    visitor->read(entry, bytes, size);
}

std::vector<std::string> parseDrives(const std::string& text) {
    std::vector<std::string> drives;
    std::string::size_type start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        std::string drive = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::transform(drive.begin(), drive.end(), drive.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        if (drive.size() != 2 || drive[0] < 'a' || drive[0] > 'z' || drive[1] != ':')
            throw exceptions::IllegalArgumentException("'" + text + "' is not a list of drives such as c:,d:.");
        drives.push_back(drive);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return drives;
}

}  // namespace com::quorvex::products::tamblix::cli
