#include <gtest/gtest.h>

#include "PeChecksum.h"
#include "PeLayout.h"
#include "ResourceRewrite.h"
#include "SyntheticImage.h"

namespace {

bool sameResources(const std::vector<Resource>& a, const std::vector<Resource>& b) {
    if (a.size() != b.size()) return false;
    for (const Resource& wanted : a) {
        bool found = false;
        for (const Resource& have : b) {
            found = found || (have.type == wanted.type && have.name == wanted.name &&
                              have.language == wanted.language && have.data == wanted.data);
        }
        if (!found) return false;
    }
    return true;
}

PeLayout layoutOf(const Bytes& image) {
    PeLayout layout;
    std::string error;
    EXPECT_TRUE(readPeLayout(image, layout, error)) << error;
    return layout;
}

Resource bigResource() {
    Resource resource;
    resource.type = ResourceName::number(kIconType);
    resource.name = ResourceName::number(1);
    resource.language = 0x0409;
    resource.data.assign(0x2345, 0x77);
    return resource;
}

TEST(ResourceRewrite, ReadsBackNamedAndNumberedResourcesInEveryLanguage) {
    std::vector<Resource> read;
    std::string error;
    ASSERT_TRUE(readImageResources(syntheticImage(syntheticResources()), read, error)) << error;
    EXPECT_TRUE(sameResources(syntheticResources(), read));
}

// Growing the resources past a section alignment moves the relocations up a
// page: their bytes, their directory and the image size follow; the code
// stays where it was and the checksum is that of the new file.
TEST(ResourceRewrite, GrowingResourcesMovesTheRelocationsAndKeepsTheCode) {
    Bytes image = syntheticImage(syntheticResources());
    PeLayout before = layoutOf(image);
    std::vector<Resource> resources = syntheticResources();
    resources.push_back(bigResource());
    std::string error;
    ASSERT_TRUE(replaceResources(image, resources, error)) << error;

    PeLayout after = layoutOf(image);
    ASSERT_EQ(after.sections.size(), 3u);
    EXPECT_EQ(after.sections[0].rawPointer, before.sections[0].rawPointer);
    for (uint32_t at = 0; at < after.sections[0].virtualSize; ++at) {
        ASSERT_EQ(image[after.sections[0].rawPointer + at], kSyntheticCodeByte);
    }
    const PeSection& relocations = after.sections[2];
    EXPECT_GT(relocations.virtualAddress, before.sections[2].virtualAddress);
    EXPECT_EQ(relocations.virtualAddress % after.sectionAlignment, 0u);
    EXPECT_GE(relocations.virtualAddress, after.sections[1].virtualAddress + after.sections[1].virtualSize);
    EXPECT_EQ(directoryRva(image, after, kRelocationDirectory), relocations.virtualAddress);
    EXPECT_EQ(directorySize(image, after, kRelocationDirectory), kSyntheticRelocationSize);
    for (uint32_t at = 0; at < kSyntheticRelocationSize; ++at) {
        EXPECT_EQ(image[relocations.rawPointer + at], kSyntheticRelocationByte);
    }
    EXPECT_EQ(read32(image, after.optionalHeader + 56), relocations.virtualAddress + after.sectionAlignment);
    EXPECT_EQ(image.size(), relocations.rawPointer + relocations.rawSize);
    EXPECT_EQ(read32(image, after.checksumOffset()), peChecksum(image, after.checksumOffset()));

    std::vector<Resource> read;
    ASSERT_TRUE(readImageResources(image, read, error)) << error;
    EXPECT_TRUE(sameResources(resources, read));
}

TEST(ResourceRewrite, ShrinkingResourcesLeavesNoGapBeforeTheRelocations) {
    std::vector<Resource> resources = syntheticResources();
    resources.push_back(bigResource());
    Bytes image = syntheticImage(resources);
    std::string error;
    ASSERT_TRUE(replaceResources(image, syntheticResources(), error)) << error;
    PeLayout layout = layoutOf(image);
    EXPECT_EQ(layout.sections[2].virtualAddress, kSyntheticResourceRva + layout.sectionAlignment);
    EXPECT_EQ(layout.sections[2].rawPointer, layout.sections[1].rawPointer + layout.sections[1].rawSize);
}

TEST(ResourceRewrite, AResourceSectionThatIsLastIsRewrittenToo) {
    Bytes image = syntheticImage(syntheticResources(), false);
    std::vector<Resource> resources = {bigResource()};
    std::string error;
    ASSERT_TRUE(replaceResources(image, resources, error)) << error;
    std::vector<Resource> read;
    ASSERT_TRUE(readImageResources(image, read, error)) << error;
    EXPECT_TRUE(sameResources(resources, read));
}

// Each case breaks one condition the rewrite relies on; none may be touched.
TEST(ResourceRewrite, RefusesImagesItCannotRewriteSafely) {
    const Bytes good = syntheticImage(syntheticResources());
    PeLayout layout = layoutOf(good);
    struct Case {
        const char* what;
        Bytes image;
    };
    std::vector<Case> cases;
    Bytes signed_ = good;
    write32(signed_, layout.directoryOffset(kCertificateDirectory), static_cast<uint32_t>(good.size()));
    write32(signed_, layout.directoryOffset(kCertificateDirectory) + 4, 8);
    cases.push_back({"signed", signed_});
    Bytes overlay = good;
    overlay.push_back(1);
    cases.push_back({"data after the last section", overlay});
    Bytes codeAfter = good;
    write32(codeAfter, layout.directoryOffset(kRelocationDirectory), 0);
    cases.push_back({"a section that is not relocations after the resources", codeAfter});
    Bytes pointedInto = good;
    write32(pointedInto, layout.directoryOffset(1), layout.sections[2].virtualAddress + 4);
    cases.push_back({"imports inside the moved section", pointedInto});
    Bytes offStart = good;
    write32(offStart, layout.directoryOffset(kResourceDirectory), kSyntheticResourceRva + 8);
    cases.push_back({"resources in the middle of a section", offStart});
    Bytes unordered = good;
    write32(unordered, layout.sections[2].headerOffset + 12, kSyntheticCodeRva);
    cases.push_back({"sections out of address order", unordered});
    Bytes truncated(good.begin(), good.begin() + 0x500);
    cases.push_back({"a section beyond the end of the file", truncated});
    Bytes notPe = good;
    notPe[0x80] = 'X';
    cases.push_back({"no PE signature", notPe});

    for (Case& c : cases) {
        Bytes image = c.image;
        std::string error;
        EXPECT_FALSE(replaceResources(image, syntheticResources(), error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(image, c.image) << c.what;
    }
}

TEST(ResourceRewrite, DirectoriesThatPointOutsideTheImageOrLoopAreRefused) {
    Bytes image = syntheticImage(syntheticResources());
    PeLayout layout = layoutOf(image);
    size_t root = layout.sections[1].rawPointer;
    std::string error;
    std::vector<Resource> read;

    Bytes outside = image;
    write32(outside, root + 16 + 4, 0x80000000u | 0x7FFFFFF0u);
    EXPECT_FALSE(readImageResources(outside, read, error));

    // The type level pointing back at the root: a fourth level would be needed.
    Bytes loop = image;
    write32(loop, root + 16 + 4, 0x80000000u);
    EXPECT_FALSE(readImageResources(loop, read, error));
    EXPECT_NE(error.find("three levels"), std::string::npos) << error;
}

TEST(PeChecksum, SumsWordsWithCarryAndAddsTheLength) {
    EXPECT_EQ(peChecksum(Bytes{0x01, 0x02, 0x03}, 100), 0x0201u + 0x0003u + 3u);
    EXPECT_EQ(peChecksum(Bytes{0xFF, 0xFF, 0x02, 0x00}, 100), 0x0002u + 4u);
    // The field itself never counts, whatever it holds.
    EXPECT_EQ(peChecksum(Bytes{1, 0, 0xAA, 0xBB, 0xCC, 0xDD, 2, 0}, 2), 3u + 8u);
}

}  // namespace
