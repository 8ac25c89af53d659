// The resource writer on damaged images: the input patches bytes of a small
// valid image and may cut it short. Whatever reads must rewrite, and the
// rewrite must read back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ResourceRewrite.h"
#include "SyntheticImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Bytes original = syntheticImage(syntheticResources());
    Bytes image = original;
    size_t at = 0;
    if (size >= 2) {
        image.resize(original.size() - (data[0] | data[1] << 8) % original.size());
        at = 2;
    }
    for (; at + 3 <= size; at += 3) {
        size_t offset = (data[at] | data[at + 1] << 8) % (image.empty() ? 1 : image.size());
        if (!image.empty()) image[offset] = data[at + 2];
    }
    std::vector<Resource> resources;
    std::string error;
    if (!readImageResources(image, resources, error)) return 0;
    if (!replaceResources(image, resources, error)) __builtin_trap();
    std::vector<Resource> again;
    if (!readImageResources(image, again, error) || again.size() != resources.size()) __builtin_trap();
    return 0;
}
