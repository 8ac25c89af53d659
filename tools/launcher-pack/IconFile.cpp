#include "IconFile.h"

#include <algorithm>

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kFileEntrySize = 16;
constexpr size_t kBitmapHeaderSize = 40;
const uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool isPng(const Bytes& data) {
    return data.size() >= sizeof kPngSignature && std::equal(kPngSignature, kPngSignature + 8, data.begin());
}

bool isBitmap(const Bytes& data) { return data.size() > kBitmapHeaderSize && read32(data, 0) == kBitmapHeaderSize; }

}  // namespace

bool parseIconFile(const Bytes& file, std::vector<IconImage>& images, std::string& error) {
    images.clear();
    if (!fits(file, 0, kHeaderSize) || read16(file, 0) != 0 || read16(file, 2) != 1) {
        error = "not an icon file (its header is not that of a .ico)";
        return false;
    }
    uint16_t count = read16(file, 4);
    if (count == 0) {
        error = "the icon file holds no images";
        return false;
    }
    if (!fits(file, kHeaderSize, size_t{count} * kFileEntrySize)) {
        error = "the icon file ends inside its directory";
        return false;
    }
    for (uint16_t index = 0; index < count; ++index) {
        size_t entry = kHeaderSize + size_t{index} * kFileEntrySize;
        IconImage image;
        image.width = file[entry];
        image.height = file[entry + 1];
        image.colorCount = file[entry + 2];
        image.planes = read16(file, entry + 4);
        image.bitCount = read16(file, entry + 6);
        uint32_t size = read32(file, entry + 8);
        uint32_t offset = read32(file, entry + 12);
        if (!fits(file, offset, size)) {
            error = "icon image " + std::to_string(index + 1) + " lies outside the file";
            return false;
        }
        image.data.assign(file.begin() + offset, file.begin() + offset + size);
        if (!isPng(image.data) && !isBitmap(image.data)) {
            error = "icon image " + std::to_string(index + 1) + " is neither a bitmap nor a PNG";
            return false;
        }
        images.push_back(image);
    }
    return true;
}

Bytes iconGroup(const std::vector<IconImage>& images, uint16_t firstId) {
    Bytes group;
    append16(group, 0);
    append16(group, 1);
    append16(group, static_cast<uint32_t>(images.size()));
    for (size_t index = 0; index < images.size(); ++index) {
        const IconImage& image = images[index];
        group.push_back(image.width);
        group.push_back(image.height);
        group.push_back(image.colorCount);
        group.push_back(0);
        append16(group, image.planes);
        append16(group, image.bitCount);
        append32(group, static_cast<uint32_t>(image.data.size()));
        append16(group, static_cast<uint32_t>(firstId + index));
    }
    return group;
}
