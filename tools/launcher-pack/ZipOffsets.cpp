#include "ZipOffsets.h"

#include <vector>

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr size_t kMaxComment = 0xFFFF;

bool fail(std::string& error, const std::string& reason) {
    error = "the jar is not a zip archive: " + reason;
    return false;
}

// The end record: the last signature whose comment runs exactly to the end.
bool findEnd(const Bytes& jar, size_t& end) {
    if (jar.size() < kEndSize) return false;
    size_t lowest = jar.size() - kEndSize > kMaxComment ? jar.size() - kEndSize - kMaxComment : 0;
    for (size_t at = jar.size() - kEndSize + 1; at-- > lowest;) {
        if (read32(jar, at) == kEndSignature && at + kEndSize + read16(jar, at + 20) == jar.size()) {
            end = at;
            return true;
        }
    }
    return false;
}

bool shifted(uint32_t offset, uint32_t shift, uint32_t& result) {
    if (offset > UINT32_MAX - shift) return false;
    result = offset + shift;
    return true;
}

}  // namespace

bool shiftZipOffsets(Bytes& jar, uint32_t shift, std::string& error) {
    size_t end = 0;
    if (!findEnd(jar, end)) return fail(error, "no end of central directory record");
    if (end >= 20 && read32(jar, end - 20) == kZip64LocatorSignature)
        return fail(error, "zip64 archives are not supported");
    if (read16(jar, end + 4) != 0 || read16(jar, end + 6) != 0) return fail(error, "a multi-part archive");
    uint16_t entries = read16(jar, end + 10);
    if (entries != read16(jar, end + 8)) return fail(error, "its entry counts disagree");
    uint32_t directorySize = read32(jar, end + 12);
    uint32_t directoryOffset = read32(jar, end + 16);
    if (uint64_t{directoryOffset} + directorySize != end) {
        return fail(error, "its central directory does not end at the end record");
    }
    std::vector<size_t> localFields;
    size_t at = directoryOffset;
    for (uint16_t index = 0; index < entries; ++index) {
        if (!fits(jar, at, kCentralSize) || read32(jar, at) != kCentralSignature || at + kCentralSize > end) {
            return fail(error, "a damaged central directory");
        }
        size_t variable = size_t{read16(jar, at + 28)} + read16(jar, at + 30) + read16(jar, at + 32);
        uint32_t local = read32(jar, at + 42);
        if (local == UINT32_MAX) return fail(error, "zip64 archives are not supported");
        if (!fits(jar, local, kLocalSize) || read32(jar, local) != kLocalSignature || local >= directoryOffset) {
            return fail(error, "an entry's local header is missing");
        }
        localFields.push_back(at + 42);
        at += kCentralSize + variable;
    }
    if (at != end) return fail(error, "its central directory has bytes no entry accounts for");
    uint32_t movedDirectory = 0;
    if (!shifted(directoryOffset, shift, movedDirectory) || jar.size() > UINT32_MAX - shift) {
        return fail(error, "it would end past 4 GB");
    }
    // Nothing is changed before everything is known to fit.
    for (size_t field : localFields) write32(jar, field, read32(jar, field) + shift);
    write32(jar, end + 16, movedDirectory);
    return true;
}
