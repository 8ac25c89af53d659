#include <gtest/gtest.h>

#include "Inflate.h"
#include "JarManifest.h"
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

Bytes fromHex(const std::string& hex) {
    Bytes bytes;
    for (size_t at = 0; at + 1 < hex.size(); at += 2) bytes.push_back(std::stoi(hex.substr(at, 2), nullptr, 16));
    return bytes;
}

TEST(Inflate, UnpacksEveryKindOfBlockAndRefusesDataCutShortOrTooLong) {
    // A dynamic block (its code lengths repeat and run zero); then a fixed
    // block whose copies overlap what they write, an empty stored block and
    // a stored one.
    const std::pair<Bytes, std::string> streams[] = {
        {fromHex("65c8c10100110c00c156b63572218e90fe5f787bce18e820404844c3ea05e1e70d053f8f1452964f4bb5f6f7e173c5131b"),
         "h  el p  c a pi hg p   pm  eh e  m a  cf abcdefghijklmnop abcdefghijklmnop"},
        {fromHex("4a4c4a4e84215d00000000ffff010300fcff78797a"), "abcabcabcabc-xyz"}};
    for (const auto& [packed, text] : streams) {
        Bytes out;
        ASSERT_TRUE(inflate(packed.data(), packed.size(), text.size(), out));
        EXPECT_EQ(std::string(out.begin(), out.end()), text);
        EXPECT_FALSE(inflate(packed.data(), packed.size(), text.size() - 1, out));
        for (size_t cut = 0; cut < packed.size(); ++cut) EXPECT_FALSE(inflate(packed.data(), cut, 100, out)) << cut;
    }
    // The reserved block type, a stored length and complement that disagree,
    // a copy from before the start.
    for (const char* bad : {"07", "010300fdff78797a", "030200"}) {
        Bytes packed = fromHex(bad), out;
        EXPECT_FALSE(inflate(packed.data(), packed.size(), 100, out)) << bad;
    }
}

TEST(JarManifest, ReadsTheMainSectionAsTheRuntimeDoes) {
    ManifestAttributes main;
    std::string error;
    const std::string long511(511 - 4, 'x');
    ASSERT_TRUE(parseManifest("Manifest-Version: 1.0\r\nAdd-Opens: java.base/java.l\r\n ang java.desktop/sun.awt\r\n"
                              "Long: " + long511.substr(2) + "\nLate: a\r Cont\r\n inued\n\nName: x/y\nZ: 1\n\n"
                              "Name: dropped\n partial",
                              main, error))
        << error;
    ASSERT_EQ(main.size(), 4u);
    EXPECT_EQ(main[1], (std::pair<std::string, std::string>{"Add-Opens", "java.base/java.lang java.desktop/sun.awt"}));
    EXPECT_EQ(main[3].second, "aContinued");
    ASSERT_TRUE(parseManifest("Main-Class: a.B\nAdd-Opens: m/p\n cut", main, error)) << error;
    EXPECT_EQ(main.size(), 1u);  // a header continued by the unended last line is not read

    for (const std::string& bad : std::vector<std::string>{"Long: " + long511 + "\n", " x\n", "Main-Class:a.B\n", "Main-Class:\n",
                                   "Main Class: a.B\n", ": a\n", std::string(71, 'N') + ": v\n",
                                   "A: b\n\nNot-Name: x\n", "A: b\n\nName: x\n" + std::string(600, 'y')}) {
        EXPECT_FALSE(parseManifest(bad, main, error)) << bad;
        EXPECT_NE(error.find("its manifest has"), std::string::npos) << error;
    }
}

TEST(JarManifest, TheMainJarsAttributesBecomeOptionsAndTheJavaTheyNeed) {
    MainJarRequests requests;
    std::string error;
    ASSERT_TRUE(readMainJar(storedZip({{"a/B.class", "class"},
                                       {"meta-inf/manifest.mf",
                                        "Main-Class: a.B \nAdd-Opens: java.base/java.lang  bad java.base/java.io\n"
                                        "Add-Exports: java.base/sun.nio.ch\nadd-exports: jdk.jfr/jdk.jfr.internal\n"
                                        "Enable-Native-Access: ALL-UNNAMED\n"}}),
                            requests, error))
        << error;
    EXPECT_EQ(requests.mainClass, "a.B");
    EXPECT_EQ(requests.vmOptions,
              (std::vector<std::string>{"--add-opens=java.base/java.lang=ALL-UNNAMED",
                                        "--add-opens=java.base/java.io=ALL-UNNAMED",
                                        "--add-exports=jdk.jfr/jdk.jfr.internal=ALL-UNNAMED",
                                        "--enable-native-access=ALL-UNNAMED"}));
    EXPECT_EQ(requests.minimumJava, 16u);
    ASSERT_TRUE(readMainJar(storedZip({{"META-INF/MANIFEST.MF", "Add-Exports: m/p\nEnable-Native-Access: m\n"}}),
                            requests, error));
    EXPECT_EQ(requests.minimumJava, 9u);
    ASSERT_TRUE(readMainJar(storedZip({{"a/B.class", "class"}}), requests, error));
    EXPECT_TRUE(requests.vmOptions.empty() && requests.mainClass.empty());
    EXPECT_FALSE(readMainJar({'P', 'K'}, requests, error));
    EXPECT_NE(error.find("not a zip"), std::string::npos) << error;
}

}  // namespace
