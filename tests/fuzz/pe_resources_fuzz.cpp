// The resource writer on damaged images. An input whose first byte is even
// patches bytes of a small valid image and may cut it short; with an odd one
// the rest is that image's resource section (tests/fuzz/seeds hold crafted
// ones of both kinds). Whatever reads must rewrite, and the rewrite must
// read back the same. Branding with a description of up to 65,024
// characters, 512 for every step of the first byte's upper bits, either
// reads back or leaves the image as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ExecutableBranding.h"
#include "ResourceRewrite.h"
#include "SyntheticImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Bytes original = syntheticImage(syntheticResources());
    if (size == 0) return 0;
    Bytes image = original;
    if (data[0] & 1) {
        image = syntheticImageAround(Bytes(data + 1, data + size));
    } else {
        size_t at = 1;
        if (size >= 3) {
            image.resize(original.size() - (data[1] | data[2] << 8) % original.size());
            at = 3;
        }
        for (; at + 3 <= size; at += 3) {
            size_t offset = (data[at] | data[at + 1] << 8) % (image.empty() ? 1 : image.size());
            if (!image.empty()) image[offset] = data[at + 2];
        }
    }
    std::vector<Resource> resources;
    std::string error;
    if (!readImageResources(image, resources, error)) return 0;
    Bytes rewritten = image;
    if (!replaceResources(rewritten, resources, error)) __builtin_trap();
    std::vector<Resource> again;
    if (!readImageResources(rewritten, again, error) || again.size() != resources.size()) __builtin_trap();

    Branding branding;
    branding.version.strings = {{u"FileDescription", std::u16string(static_cast<size_t>(data[0] >> 1) * 512, u'd')}};
    Bytes branded = image;
    if (!brandExecutable(branded, branding, error)) {
        if (branded != image) __builtin_trap();
    } else if (!readImageResources(branded, again, error)) {
        __builtin_trap();
    }
    return 0;
}
