#include <cstddef>
#include <cstdint>
#include <vector>

#include "discovery/ReleaseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy so that any read past the end is caught.
    std::vector<uint8_t> bytes(data, data + size);
    JavaVersion version;
    const bool parsed = parseReleaseVersion(bytes.data(), bytes.size(), version);
    if (!parsed && version != JavaVersion{}) __builtin_trap();
    for (int32_t part : version.parts) {
        if (part < 0) __builtin_trap();
    }
    return 0;
}
