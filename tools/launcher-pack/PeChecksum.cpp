#include "PeChecksum.h"

uint32_t peChecksum(const Bytes& image, size_t checksumOffset) {
    // The field counts as zero, wherever a malformed header puts it.
    const auto byteAt = [&](size_t offset) -> uint32_t {
        if (offset >= image.size() || (offset >= checksumOffset && offset - checksumOffset < 4)) return 0;
        return image[offset];
    };
    uint64_t sum = 0;
    for (size_t offset = 0; offset < image.size(); offset += 2) {
        sum += byteAt(offset) | byteAt(offset + 1) << 8;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint32_t>(sum + image.size());
}
