#pragma once
// What the command line adds to the machine's services for a scan: the fixed
// drives it may walk (--drives), and a count of the files and archive members
// read for hashing, shown beside the progress text.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/MachineServices.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/FileReader.h"
#include "platform/zip/ZipReader.h"

namespace com::quorvex::products::tamblix::cli {

// Files and bytes read so far; any thread.
struct HashedCount {
    std::atomic<std::uint64_t> files{0};
    std::atomic<std::uint64_t> bytes{0};

    void add(std::uint64_t size) {
        files.fetch_add(1, std::memory_order_relaxed);
        bytes.fetch_add(size, std::memory_order_relaxed);
    }
    // "12 files, 3.4 MB hashed"
    std::string text() const;
};

// The machine's services, with the drives limited to the named ones (lower-case
// "c:" names; empty for every drive) and every read counted.
class ScanServices : public MachineServices {
public:
    ScanServices(std::unique_ptr<MachineServices> machine, std::vector<std::string> drives, HashedCount& count);

    ModuleInfo& moduleInfo() override { return _machine->moduleInfo(); }
    platform::file::CurrentDirectory& currentDirectory() override { return _machine->currentDirectory(); }
    EngineServices engineServices(TamblixUpdate& updater, compression::UncompressionStream& uncompressor) override;
    platform::file::FileRemover& fileRemover() override { return _machine->fileRemover(); }
    std::unique_ptr<windows::internet::InternetSessionFactory> makeSessionFactory() override {
        return _machine->makeSessionFactory();
    }
    std::unique_ptr<platform::file::IStream> openBinaryStream(const std::string& path) override {
        return _machine->openBinaryStream(path);
    }

private:
    struct Drives : platform::file::DriveEnumerator {
        platform::file::DriveEnumerator* all = nullptr;
        std::vector<std::string> named;
        std::vector<std::string> enumerateDrives(int driveType) override;
    };
    struct Reader : platform::file::FileReader {
        platform::file::FileReader* reader = nullptr;
        HashedCount* count = nullptr;
        std::vector<char> readFile(const std::string& path, std::size_t bytesToRead) override;
        void readFileInto(const std::string& path, std::vector<char>& buffer) override;
    };
    struct Zip : ZipReader, ZipMemberVisitor {
        ZipReader* zip = nullptr;
        HashedCount* count = nullptr;
        ZipMemberVisitor* visitor = nullptr;
        std::vector<ZipEntry> getFileInfo(const std::string& zipPath) override { return zip->getFileInfo(zipPath); }
        std::vector<char> loadFromZip(const std::string& zipPath, const std::string& memberName) override;
        void readMembers(const std::string& zipPath, ZipMemberVisitor& visitor) override;
        bool wants(const ZipEntry& entry) override { return visitor->wants(entry); }
        void read(const ZipEntry& entry, const char* bytes, std::size_t size) override;
        void failed(const ZipEntry& entry, const ZipReaderException& failure) override {
            visitor->failed(entry, failure);
        }
    };

    std::unique_ptr<MachineServices> _machine;
    Drives _drives;
    Reader _reader;
    Zip _zip;
};

// "c:,D:" as the lower-case drive names; throws exceptions::IllegalArgumentException
// for anything that is not a list of drive names.
std::vector<std::string> parseDrives(const std::string& text);

}  // namespace com::quorvex::products::tamblix::cli
