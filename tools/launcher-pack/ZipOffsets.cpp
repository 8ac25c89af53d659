#include "ZipOffsets.h"

#include "ZipArchive.h"

bool shiftZipOffsets(Bytes& jar, uint32_t shift, std::string& error) {
    ZipDirectory directory;
    if (!readZipDirectory(jar, directory, error)) return false;
    if (directory.offset > UINT32_MAX - shift || jar.size() > UINT32_MAX - shift) {
        error = "the jar is not a zip archive: it would end past 4 GB";
        return false;
    }
    // Nothing is changed before everything is known to fit.
    for (const ZipEntry& entry : directory.entries) write32(jar, entry.record + 42, entry.localHeader + shift);
    write32(jar, directory.end + 16, directory.offset + shift);
    return true;
}
