#include "ZipArchive.h"

#include "Inflate.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr size_t kMaxComment = 0xFFFF;
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kEncrypted = 1;

bool fail(std::string& error, const std::string& reason) {
    error = "the jar is not a zip archive: " + reason;
    return false;
}

// The end record: the last signature whose comment runs exactly to the end.
bool findEnd(const Bytes& zip, size_t& end) {
    if (zip.size() < kEndSize) return false;
    size_t lowest = zip.size() - kEndSize > kMaxComment ? zip.size() - kEndSize - kMaxComment : 0;
    for (size_t at = zip.size() - kEndSize + 1; at-- > lowest;) {
        if (read32(zip, at) == kEndSignature && at + kEndSize + read16(zip, at + 20) == zip.size()) {
            end = at;
            return true;
        }
    }
    return false;
}

}  // namespace

bool readZipDirectory(const Bytes& zip, ZipDirectory& directory, std::string& error) {
    directory = ZipDirectory();
    size_t end = 0;
    if (!findEnd(zip, end)) return fail(error, "no end of central directory record");
    if (end >= 20 && read32(zip, end - 20) == kZip64LocatorSignature) {
        return fail(error, "zip64 archives are not supported");
    }
    if (read16(zip, end + 4) != 0 || read16(zip, end + 6) != 0) return fail(error, "a multi-part archive");
    uint16_t entries = read16(zip, end + 10);
    if (entries != read16(zip, end + 8)) return fail(error, "its entry counts disagree");
    uint32_t directorySize = read32(zip, end + 12);
    directory.end = end;
    directory.offset = read32(zip, end + 16);
    if (uint64_t{directory.offset} + directorySize != end) {
        return fail(error, "its central directory does not end at the end record");
    }
    size_t at = directory.offset;
    for (uint16_t index = 0; index < entries; ++index) {
        if (!fits(zip, at, kCentralSize) || read32(zip, at) != kCentralSignature || at + kCentralSize > end) {
            return fail(error, "a damaged central directory");
        }
        size_t nameLength = read16(zip, at + 28);
        size_t variable = nameLength + read16(zip, at + 30) + read16(zip, at + 32);
        uint32_t local = read32(zip, at + 42);
        if (local == UINT32_MAX) return fail(error, "zip64 archives are not supported");
        if (!fits(zip, local, kLocalSize) || read32(zip, local) != kLocalSignature || local >= directory.offset) {
            return fail(error, "an entry's local header is missing");
        }
        if (at + kCentralSize + variable > end) return fail(error, "a damaged central directory");
        const char* name = reinterpret_cast<const char*>(zip.data() + at + kCentralSize);
        directory.entries.push_back({std::string(name, nameLength), at, local});
        at += kCentralSize + variable;
    }
    if (at != end) return fail(error, "its central directory has bytes no entry accounts for");
    return true;
}

bool readZipEntry(const Bytes& zip, const ZipEntry& entry, size_t limit, Bytes& contents, std::string& error) {
    uint16_t flags = read16(zip, entry.record + 8);
    uint16_t method = read16(zip, entry.record + 10);
    uint32_t packedSize = read32(zip, entry.record + 20);
    uint32_t size = read32(zip, entry.record + 24);
    size_t data = size_t{entry.localHeader} + kLocalSize + read16(zip, entry.localHeader + 26) +
                  read16(zip, entry.localHeader + 28);
    if (flags & kEncrypted) return fail(error, entry.name + " is encrypted");
    if (method != kStored && method != kDeflated) return fail(error, entry.name + " is compressed in an unknown way");
    if (size > limit) return fail(error, entry.name + " is larger than " + std::to_string(limit) + " bytes");
    if (!fits(zip, data, packedSize)) return fail(error, entry.name + " ends past the archive");
    if (method == kStored && packedSize == size) {
        contents.assign(zip.begin() + data, zip.begin() + data + size);
        return true;
    }
    if (method == kStored || !inflate(zip.data() + data, packedSize, size, contents) || contents.size() != size) {
        return fail(error, entry.name + " does not unpack to its size");
    }
    return true;
}
