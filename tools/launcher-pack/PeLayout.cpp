#include "PeLayout.h"

namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kSectionHeaderSize = 40;
constexpr uint32_t kMaxFileAlignment = 0x10000;

// Past its virtual size a section reads as zeros whatever its file holds, and
// past its raw size it has no bytes in the file.
uint32_t mappedSize(const PeSection& section) {
    return section.virtualSize < section.rawSize ? section.virtualSize : section.rawSize;
}

}  // namespace

bool readPeLayout(const Bytes& image, PeLayout& layout, std::string& error) {
    layout = PeLayout();
    if (!fits(image, 0, 64) || image[0] != 'M' || image[1] != 'Z') {
        error = "not an executable (no MZ header)";
        return false;
    }
    uint32_t peHeader = read32(image, 60);
    if (!fits(image, peHeader, 24) || read32(image, peHeader) != 0x00004550) {
        error = "not a PE image (no PE signature)";
        return false;
    }
    layout.machine = read16(image, peHeader + 4);
    uint16_t sectionCount = read16(image, peHeader + 6);
    uint16_t optionalSize = read16(image, peHeader + 20);
    layout.optionalHeader = peHeader + 24;
    if (!fits(image, layout.optionalHeader, optionalSize) || optionalSize < 2) {
        error = "optional header outside the file";
        return false;
    }
    uint16_t magic = read16(image, layout.optionalHeader);
    if (magic != kPe32Magic && magic != kPe32PlusMagic) {
        error = "unknown optional header kind";
        return false;
    }
    layout.pe32Plus = magic == kPe32PlusMagic;
    size_t countField = layout.pe32Plus ? 108 : 92;
    if (optionalSize < countField + 4) {
        error = "optional header too short";
        return false;
    }
    layout.sectionAlignment = read32(image, layout.optionalHeader + 32);
    layout.fileAlignment = read32(image, layout.optionalHeader + 36);
    layout.directoryCount = read32(image, layout.optionalHeader + countField);
    layout.directoryTable = layout.optionalHeader + countField + 4;
    if (layout.directoryCount > (optionalSize - countField - 4) / 8) {
        error = "data directories outside the optional header";
        return false;
    }
    const auto powerOfTwo = [](uint32_t value) { return value != 0 && (value & (value - 1)) == 0; };
    if (!powerOfTwo(layout.fileAlignment) || !powerOfTwo(layout.sectionAlignment) ||
        layout.fileAlignment > kMaxFileAlignment || layout.sectionAlignment < layout.fileAlignment) {
        error = "invalid section or file alignment";
        return false;
    }
    size_t table = layout.optionalHeader + optionalSize;
    if (!fits(image, table, size_t{sectionCount} * kSectionHeaderSize)) {
        error = "section table outside the file";
        return false;
    }
    for (uint16_t index = 0; index < sectionCount; ++index) {
        PeSection section;
        section.headerOffset = table + index * kSectionHeaderSize;
        section.virtualSize = read32(image, section.headerOffset + 8);
        section.virtualAddress = read32(image, section.headerOffset + 12);
        section.rawSize = read32(image, section.headerOffset + 16);
        section.rawPointer = read32(image, section.headerOffset + 20);
        section.characteristics = read32(image, section.headerOffset + 36);
        if (section.rawSize != 0 && !fits(image, section.rawPointer, section.rawSize)) {
            error = "a section's data lies outside the file";
            return false;
        }
        layout.sections.push_back(section);
    }
    return true;
}

uint32_t directoryRva(const Bytes& image, const PeLayout& layout, uint32_t index) {
    return index < layout.directoryCount ? read32(image, layout.directoryOffset(index)) : 0;
}

uint32_t directorySize(const Bytes& image, const PeLayout& layout, uint32_t index) {
    return index < layout.directoryCount ? read32(image, layout.directoryOffset(index) + 4) : 0;
}

bool rvaToOffset(const PeLayout& layout, const Bytes& image, uint32_t rva, uint32_t length, size_t& offset) {
    for (const PeSection& section : layout.sections) {
        if (rva < section.virtualAddress) continue;
        uint64_t within = uint64_t{rva} - section.virtualAddress;
        if (within + length > mappedSize(section)) continue;
        offset = section.rawPointer + static_cast<size_t>(within);
        return fits(image, offset, length);
    }
    return false;
}

uint32_t bytesFrom(const PeLayout& layout, uint32_t rva) {
    for (const PeSection& section : layout.sections) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < mappedSize(section)) {
            return mappedSize(section) - (rva - section.virtualAddress);
        }
    }
    return 0;
}
