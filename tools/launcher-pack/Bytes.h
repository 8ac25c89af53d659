// Little-endian fields of untrusted files: every read is checked against the
// end of the buffer, every write grows it as needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline bool fits(const Bytes& bytes, size_t offset, size_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline uint16_t read16(const Bytes& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline uint32_t read32(const Bytes& bytes, size_t offset) {
    return static_cast<uint32_t>(read16(bytes, offset)) | static_cast<uint32_t>(read16(bytes, offset + 2)) << 16;
}

inline void write16(Bytes& bytes, size_t offset, uint32_t value) {
    if (bytes.size() < offset + 2) bytes.resize(offset + 2);
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void write32(Bytes& bytes, size_t offset, uint32_t value) {
    write16(bytes, offset, value & 0xFFFF);
    write16(bytes, offset + 2, value >> 16);
}

inline void append16(Bytes& bytes, uint32_t value) { write16(bytes, bytes.size(), value); }
inline void append32(Bytes& bytes, uint32_t value) { write32(bytes, bytes.size(), value); }

inline void appendText16(Bytes& bytes, const std::u16string& text) {
    for (char16_t c : text) append16(bytes, c);
}

inline void padTo(Bytes& bytes, size_t alignment) {
    while (bytes.size() % alignment != 0) bytes.push_back(0);
}

inline uint64_t alignUp(uint64_t value, uint64_t alignment) {
    return alignment == 0 ? value : (value + alignment - 1) / alignment * alignment;
}
