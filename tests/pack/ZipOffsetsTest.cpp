#include <gtest/gtest.h>

#include "ZipOffsets.h"

namespace {

// A stored (uncompressed) archive of the given entries, as jar -0 writes one.
Bytes storedZip(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& comment = "") {
    Bytes zip, directory;
    for (const auto& [name, contents] : entries) {
        uint32_t local = static_cast<uint32_t>(zip.size());
        append32(zip, 0x04034b50);
        for (uint32_t field : {20u, 0u, 0u, 0u, 0u}) append16(zip, field);
        append32(zip, 0);  // CRC, not checked here
        append32(zip, static_cast<uint32_t>(contents.size()));
        append32(zip, static_cast<uint32_t>(contents.size()));
        append16(zip, static_cast<uint32_t>(name.size()));
        append16(zip, 0);
        zip.insert(zip.end(), name.begin(), name.end());
        zip.insert(zip.end(), contents.begin(), contents.end());

        append32(directory, 0x02014b50);
        for (uint32_t field : {20u, 20u, 0u, 0u, 0u, 0u}) append16(directory, field);
        append32(directory, 0);
        append32(directory, static_cast<uint32_t>(contents.size()));
        append32(directory, static_cast<uint32_t>(contents.size()));
        append16(directory, static_cast<uint32_t>(name.size()));
        for (uint32_t field : {0u, 0u, 0u, 0u}) append16(directory, field);
        append32(directory, 0);
        append32(directory, local);
        directory.insert(directory.end(), name.begin(), name.end());
    }
    uint32_t directoryOffset = static_cast<uint32_t>(zip.size());
    zip.insert(zip.end(), directory.begin(), directory.end());
    append32(zip, 0x06054b50);
    append16(zip, 0);
    append16(zip, 0);
    append16(zip, static_cast<uint32_t>(entries.size()));
    append16(zip, static_cast<uint32_t>(entries.size()));
    append32(zip, static_cast<uint32_t>(directory.size()));
    append32(zip, directoryOffset);
    append16(zip, static_cast<uint32_t>(comment.size()));
    zip.insert(zip.end(), comment.begin(), comment.end());
    return zip;
}

// Follows the shifted archive from its end record, as a zip reader does,
// with `prefix` bytes in front of it.
void expectEntriesReachable(const Bytes& shifted, size_t prefix, size_t entries) {
    Bytes file(prefix, 0xEE);
    file.insert(file.end(), shifted.begin(), shifted.end());
    size_t end = file.size() - 22;
    while (read32(file, end) != 0x06054b50) --end;
    size_t at = read32(file, end + 16);
    for (size_t index = 0; index < entries; ++index) {
        ASSERT_EQ(read32(file, at), 0x02014b50u);
        ASSERT_EQ(read32(file, read32(file, at + 42)), 0x04034b50u);
        at += 46 + read16(file, at + 28);
    }
    EXPECT_EQ(at, end);
}

TEST(ZipOffsets, EveryOffsetMovesByWhatPrecedesTheArchive) {
    for (const std::string comment : {"", "a comment PK\x05\x06 inside"}) {
        Bytes zip =
            storedZip({{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"}, {"app/Main.class", "class"}}, comment);
        std::string error;
        ASSERT_TRUE(shiftZipOffsets(zip, 0x5000, error)) << error;
        expectEntriesReachable(zip, 0x5000, 2);
    }
}

TEST(ZipOffsets, WhatIsNotAPlainZipIsRefusedUntouched) {
    Bytes good = storedZip({{"a", "b"}});
    Bytes text = {'c', 'l', 'a', 's', 's', ' ', 'a', '\n'};
    Bytes damagedDirectory = good;
    damagedDirectory[damagedDirectory.size() - 22 - 47] = 'X';
    Bytes missingLocal = good;
    missingLocal[0] = 'X';
    Bytes trailing = good;
    trailing.push_back(0);
    Bytes zip64 = storedZip({{"a", "b"}});
    Bytes locator;
    append32(locator, 0x07064b50);
    locator.resize(20, 0);
    zip64.insert(zip64.end() - 22, locator.begin(), locator.end());
    for (const Bytes& jar : {text, damagedDirectory, missingLocal, trailing, zip64, Bytes{}}) {
        Bytes copy = jar;
        std::string error;
        EXPECT_FALSE(shiftZipOffsets(copy, 100, error));
        EXPECT_NE(error.find("not a zip"), std::string::npos) << error;
        EXPECT_EQ(copy, jar);
    }
    Bytes big = good;
    std::string error;
    EXPECT_FALSE(shiftZipOffsets(big, 0xFFFFFFF0u, error));
}

}  // namespace
