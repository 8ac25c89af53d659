// A zip archive (a jar) read without trusting any of its fields: its central
// directory, and the contents of an entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bytes.h"

struct ZipEntry {
    std::string name;
    size_t record = 0;       // its central directory record
    uint32_t localHeader = 0;
};

struct ZipDirectory {
    size_t end = 0;  // the end record
    uint32_t offset = 0;
    std::vector<ZipEntry> entries;
};

// Checks that the central directory and the local headers agree; refuses
// zip64 and multi-part archives and archives with a comment that reaches
// past the end. Its reasons start "the jar is not a zip archive".
bool readZipDirectory(const Bytes& zip, ZipDirectory& directory, std::string& error);

// A stored or deflated entry's contents, when they unpack to the size its
// record gives, and that is at most `limit` bytes.
bool readZipEntry(const Bytes& zip, const ZipEntry& entry, size_t limit, Bytes& contents, std::string& error);
