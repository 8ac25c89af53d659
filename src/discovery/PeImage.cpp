#include "discovery/PeImage.h"

namespace {

constexpr size_t kNewHeaderOffsetField = 0x3C;
constexpr size_t kSignatureSize = 4;
constexpr size_t kFileHeaderSize = 20;

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

bool isForeignMachineImage(const uint8_t* data, size_t size, uint16_t ownMachine) {
    if (size < kNewHeaderOffsetField + 4 || data[0] != 'M' || data[1] != 'Z') return false;

    const uint32_t headerOffset = readLe32(data + kNewHeaderOffsetField);
    constexpr size_t headerSize = kSignatureSize + kFileHeaderSize;
    if (size < headerSize || headerOffset > size - headerSize) return false;

    const uint8_t* header = data + headerOffset;
    if (header[0] != 'P' || header[1] != 'E' || header[2] != 0 || header[3] != 0) return false;
    const uint16_t machine = uint16_t(header[4] | header[5] << 8);
    return machine != ownMachine;
}
