#include <gtest/gtest.h>

#include "IconFile.h"

namespace {

Bytes bitmapImage(uint8_t fill) {
    Bytes image(40 + 16, fill);
    write32(image, 0, 40);
    return image;
}

Bytes pngImage() { return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}; }

// A .ico file holding the images in order, each entry as a 16-pixel 32-bit one.
Bytes iconFile(const std::vector<Bytes>& images) {
    Bytes file;
    append16(file, 0);
    append16(file, 1);
    append16(file, static_cast<uint32_t>(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (const Bytes& image : images) {
        file.insert(file.end(), {16, 16, 0, 0});
        append16(file, 1);
        append16(file, 32);
        append32(file, static_cast<uint32_t>(image.size()));
        append32(file, static_cast<uint32_t>(offset));
        offset += image.size();
    }
    for (const Bytes& image : images) file.insert(file.end(), image.begin(), image.end());
    return file;
}

TEST(IconFile, EveryImageBecomesAnIconResourceNamedByTheGroup) {
    std::vector<IconImage> images;
    std::string error;
    ASSERT_TRUE(parseIconFile(iconFile({bitmapImage(1), pngImage(), bitmapImage(2)}), images, error)) << error;
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[1].data, pngImage());
    EXPECT_EQ(images[2].data, bitmapImage(2));

    Bytes group = iconGroup(images, 1);
    ASSERT_EQ(group.size(), 6u + 3 * 14);
    EXPECT_EQ(read16(group, 2), 1u);
    EXPECT_EQ(read16(group, 4), 3u);
    for (size_t index = 0; index < 3; ++index) {
        size_t entry = 6 + 14 * index;
        EXPECT_EQ(group[entry], 16);
        EXPECT_EQ(read16(group, entry + 6), 32u);
        EXPECT_EQ(read32(group, entry + 8), images[index].data.size());
        EXPECT_EQ(read16(group, entry + 12), index + 1);
    }
}

TEST(IconFile, BrokenFilesAreRefusedWithAReason) {
    Bytes good = iconFile({bitmapImage(1), pngImage()});
    Bytes cursor = good;
    write16(cursor, 2, 2);
    Bytes empty = iconFile({});
    Bytes cut(good.begin(), good.begin() + 20);
    Bytes pastEnd = good;
    write32(pastEnd, 6 + 16 + 8, 0x10000);
    Bytes garbage = iconFile({Bytes(60, 0x11)});
    Bytes textFile = {'h', 'e', 'l', 'l', 'o', '\n'};
    for (const Bytes& file : {cursor, empty, cut, pastEnd, garbage, textFile}) {
        std::vector<IconImage> images;
        std::string error;
        EXPECT_FALSE(parseIconFile(file, images, error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
