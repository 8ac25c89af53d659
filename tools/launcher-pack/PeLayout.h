// The parts of a PE image's headers that moving its last sections touches.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bytes.h"

struct PeSection {
    size_t headerOffset = 0;
    uint32_t virtualSize = 0;
    uint32_t virtualAddress = 0;
    uint32_t rawSize = 0;
    uint32_t rawPointer = 0;
    uint32_t characteristics = 0;
};

struct PeLayout {
    uint16_t machine = 0;  // 0x14C x86, 0x8664 x86-64
    size_t optionalHeader = 0;
    bool pe32Plus = false;
    uint32_t sectionAlignment = 0;
    uint32_t fileAlignment = 0;
    uint32_t directoryCount = 0;
    size_t directoryTable = 0;
    std::vector<PeSection> sections;

    size_t checksumOffset() const { return optionalHeader + 64; }
    size_t subsystemOffset() const { return optionalHeader + 68; }
    size_t directoryOffset(uint32_t index) const { return directoryTable + 8 * index; }
};

enum PeDirectory : uint32_t { kResourceDirectory = 2, kCertificateDirectory = 4, kRelocationDirectory = 5 };

// Fills `layout` from the headers, checking that each lies inside the image;
// false with a reason otherwise.
bool readPeLayout(const Bytes& image, PeLayout& layout, std::string& error);

// The RVA and size of a data directory; zeros when the image has fewer.
uint32_t directoryRva(const Bytes& image, const PeLayout& layout, uint32_t index);
uint32_t directorySize(const Bytes& image, const PeLayout& layout, uint32_t index);

// The file offset of `length` bytes at `rva`, when they lie in one section's
// data: within both its raw size and its virtual size.
bool rvaToOffset(const PeLayout& layout, const Bytes& image, uint32_t rva, uint32_t length, size_t& offset);
// How many bytes of section data follow `rva`, counted alike; 0 outside every section.
uint32_t bytesFrom(const PeLayout& layout, uint32_t rva);
