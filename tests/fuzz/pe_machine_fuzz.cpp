#include <cstddef>
#include <cstdint>
#include <vector>

#include "discovery/PeImage.h"
#include "discovery/RegistryText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy so that any read past the end is caught.
    std::vector<uint8_t> bytes(data, data + size);
    isForeignMachineImage(bytes.data(), bytes.size(), kMachineI386);
    std::wstring text;
    registryText(kRegistryString, bytes.data(), bytes.size(), text);
    return 0;
}
