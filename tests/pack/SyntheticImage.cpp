#include "SyntheticImage.h"

#include "ResourceRewrite.h"

namespace {

constexpr size_t kPeHeader = 0x80;
constexpr size_t kOptionalHeader = kPeHeader + 24;
constexpr size_t kOptionalSize = 240;
constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;

void section(Bytes& image, size_t index, const char* name, uint32_t rva, const Bytes& contents, uint32_t flags) {
    size_t header = kOptionalHeader + kOptionalSize + index * 40;
    for (size_t at = 0; name[at]; ++at) image[header + at] = static_cast<uint8_t>(name[at]);
    uint32_t rawPointer = static_cast<uint32_t>(image.size());
    uint32_t rawSize = static_cast<uint32_t>(alignUp(contents.size(), kFileAlignment));
    write32(image, header + 8, static_cast<uint32_t>(contents.size()));
    write32(image, header + 12, rva);
    write32(image, header + 16, rawSize);
    write32(image, header + 20, rawPointer);
    write32(image, header + 36, flags);
    image.insert(image.end(), contents.begin(), contents.end());
    image.resize(rawPointer + rawSize, 0);
}

}  // namespace

std::vector<Resource> syntheticResources() {
    std::vector<Resource> resources;
    const auto add = [&](ResourceName type, ResourceName name, uint32_t language, std::initializer_list<uint8_t> data) {
        Resource resource;
        resource.type = type;
        resource.name = name;
        resource.language = language;
        resource.data = data;
        resources.push_back(resource);
    };
    add(ResourceName::number(kStringType), ResourceName::number(13), 0x041D, {1, 0, 'a', 0});
    add(ResourceName::number(kStringType), ResourceName::number(13), 0x0409, {1, 0, 'b', 0});
    add(ResourceName::number(5), ResourceName::number(201), 0x0409, {0xDD, 0xDD, 0xDD});
    add(ResourceName{true, 0, u"CUSTOM"}, ResourceName{true, 0, u"DATA"}, 0, {7, 7, 7, 7, 7});
    add(ResourceName::number(kManifestType), ResourceName::number(1), 0x0409, {'<', '?', 'x'});
    return resources;
}

Bytes sharedResourceDirectories(uint16_t entries) {
    // The root, then one name directory for every type, then one empty language directory for every name.
    Bytes section;
    for (uint32_t level = 0; level < 3; ++level) {
        uint32_t count = level < 2 ? entries : 0;
        uint32_t next = static_cast<uint32_t>(section.size() + 16 + count * 8);
        section.resize(section.size() + 14, 0);
        append16(section, count);
        for (uint32_t index = 0; index < count; ++index) {
            append32(section, index + 1);
            append32(section, 0x80000000u | next);
        }
    }
    return section;
}

Bytes syntheticImage(const std::vector<Resource>& resources, bool withRelocations) {
    return syntheticImageAround(buildResourceSection(resources, kSyntheticResourceRva), withRelocations);
}

Bytes syntheticImageAround(const Bytes& resourceSection, bool withRelocations) {
    Bytes image(0x400, 0);
    image[0] = 'M';
    image[1] = 'Z';
    write32(image, 60, kPeHeader);
    write32(image, kPeHeader, 0x00004550);
    write16(image, kPeHeader + 4, 0x8664);
    write16(image, kPeHeader + 6, withRelocations ? 3 : 2);
    write16(image, kPeHeader + 20, kOptionalSize);
    write16(image, kPeHeader + 22, 0x22);
    write16(image, kOptionalHeader, 0x20B);
    write32(image, kOptionalHeader + 32, kSectionAlignment);
    write32(image, kOptionalHeader + 36, kFileAlignment);
    write32(image, kOptionalHeader + 60, 0x400);
    write16(image, kOptionalHeader + 68, 2);
    write32(image, kOptionalHeader + 108, 16);

    section(image, 0, ".text", kSyntheticCodeRva, Bytes(0x180, kSyntheticCodeByte), 0x60000020);
    section(image, 1, ".rsrc", kSyntheticResourceRva, resourceSection, 0x40000040);
    uint32_t end = static_cast<uint32_t>(alignUp(kSyntheticResourceRva + resourceSection.size(), kSectionAlignment));
    write32(image, kOptionalHeader + 112 + 8 * kResourceDirectory, kSyntheticResourceRva);
    write32(image, kOptionalHeader + 112 + 8 * kResourceDirectory + 4, static_cast<uint32_t>(resourceSection.size()));
    if (withRelocations) {
        section(image, 2, ".reloc", end, Bytes(kSyntheticRelocationSize, kSyntheticRelocationByte), 0x42000040);
        write32(image, kOptionalHeader + 112 + 8 * kRelocationDirectory, end);
        write32(image, kOptionalHeader + 112 + 8 * kRelocationDirectory + 4, kSyntheticRelocationSize);
        end += kSectionAlignment;
    }
    write32(image, kOptionalHeader + 56, end);
    std::string error;
    updateChecksum(image, error);
    return image;
}
