#include "ResourceRewrite.h"

#include "PeChecksum.h"

namespace {

constexpr uint32_t kInitializedData = 0x00000040;

struct Plan {
    PeLayout layout;
    size_t resourceSection = 0;
};

bool fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

// Checks everything that must hold for the rewrite to leave a valid image.
bool planRewrite(const Bytes& image, Plan& plan, std::string& error) {
    if (!readPeLayout(image, plan.layout, error)) return false;
    const PeLayout& layout = plan.layout;
    if (directorySize(image, layout, kCertificateDirectory) != 0) {
        return fail(error, "the image is signed; add resources before signing");
    }
    uint32_t peHeader = read32(image, 60);
    if (read32(image, peHeader + 12) != 0) return fail(error, "the image has a COFF symbol table");
    uint32_t resourceRva = directoryRva(image, layout, kResourceDirectory);
    if (resourceRva == 0) return fail(error, "the image has no resources");
    size_t found = layout.sections.size();
    for (size_t index = 0; index < layout.sections.size(); ++index) {
        if (layout.sections[index].virtualAddress == resourceRva) found = index;
    }
    if (found == layout.sections.size()) return fail(error, "the resources do not start a section of their own");
    plan.resourceSection = found;
    // The rewrite copies everything before the resources' raw data and every
    // moved section's raw data: each must be there, inside the file.
    for (size_t index = found; index < layout.sections.size(); ++index) {
        if (layout.sections[index].rawSize == 0) {
            return fail(error, "the resources or a section after them have no data in the file");
        }
    }

    uint64_t fileEnd = layout.sections.back().headerOffset + 40;
    for (size_t index = 0; index < layout.sections.size(); ++index) {
        const PeSection& section = layout.sections[index];
        if (index > 0) {
            const PeSection& before = layout.sections[index - 1];
            if (section.virtualAddress <
                alignUp(uint64_t{before.virtualAddress} + before.virtualSize, layout.sectionAlignment)) {
                return fail(error, "the sections are not laid out in address order");
            }
        }
        if (section.rawSize == 0) continue;
        if (section.rawPointer < fileEnd) return fail(error, "the sections are not laid out in file order");
        fileEnd = uint64_t{section.rawPointer} + section.rawSize;
    }
    if (fileEnd != image.size()) return fail(error, "the image has data after its last section");

    uint32_t relocationRva = directoryRva(image, layout, kRelocationDirectory);
    for (size_t index = found + 1; index < layout.sections.size(); ++index) {
        const PeSection& section = layout.sections[index];
        bool onlyRelocations = relocationRva == section.virtualAddress &&
                               directorySize(image, layout, kRelocationDirectory) <= section.virtualSize;
        if (!onlyRelocations) return fail(error, "a section other than base relocations follows the resources");
    }
    // Whatever moves must not be named by any other directory.
    for (uint32_t directory = 0; directory < layout.directoryCount; ++directory) {
        if (directory == kResourceDirectory || directory == kRelocationDirectory ||
            directory == kCertificateDirectory) {
            continue;
        }
        uint32_t rva = directoryRva(image, layout, directory);
        // Past the resources even outside any section: the rewritten ones may
        // grow over it.
        if (rva != 0 && rva >= layout.sections[found].virtualAddress) {
            return fail(error, "another data directory points into the resource section or after it");
        }
    }
    return true;
}

}  // namespace

bool readImageResources(const Bytes& image, std::vector<Resource>& resources, std::string& error) {
    Plan plan;
    if (!planRewrite(image, plan, error)) return false;
    return readResources(image, plan.layout, directoryRva(image, plan.layout, kResourceDirectory), resources, error);
}

bool replaceResources(Bytes& image, const std::vector<Resource>& resources, std::string& error) {
    Plan plan;
    if (!planRewrite(image, plan, error)) return false;
    const PeLayout& layout = plan.layout;
    const PeSection& resourceSection = layout.sections[plan.resourceSection];
    Bytes section = buildResourceSection(resources, resourceSection.virtualAddress);
    if (section.size() > UINT32_MAX / 2) return fail(error, "the resources are too large");

    Bytes out(image.begin(), image.begin() + resourceSection.rawPointer);
    uint32_t nextAddress = resourceSection.virtualAddress;
    int64_t initializedDataChange = 0;
    for (size_t index = plan.resourceSection; index < layout.sections.size(); ++index) {
        const PeSection& old = layout.sections[index];
        bool isResources = index == plan.resourceSection;
        Bytes contents =
            isResources ? section : Bytes(image.begin() + old.rawPointer, image.begin() + old.rawPointer + old.rawSize);
        uint32_t virtualSize = isResources ? static_cast<uint32_t>(section.size()) : old.virtualSize;
        uint32_t rawSize = static_cast<uint32_t>(alignUp(contents.size(), layout.fileAlignment));
        uint32_t rawPointer = static_cast<uint32_t>(out.size());
        contents.resize(rawSize, 0);
        out.insert(out.end(), contents.begin(), contents.end());
        if (old.characteristics & kInitializedData) initializedDataChange += int64_t{rawSize} - old.rawSize;
        if (!isResources && old.virtualAddress == directoryRva(image, layout, kRelocationDirectory)) {
            write32(out, layout.directoryOffset(kRelocationDirectory), nextAddress);
        }
        write32(out, old.headerOffset + 8, virtualSize);
        write32(out, old.headerOffset + 12, nextAddress);
        write32(out, old.headerOffset + 16, rawSize);
        write32(out, old.headerOffset + 20, rawPointer);
        nextAddress = static_cast<uint32_t>(alignUp(uint64_t{nextAddress} + virtualSize, layout.sectionAlignment));
    }
    write32(out, layout.directoryOffset(kResourceDirectory) + 4, static_cast<uint32_t>(section.size()));
    write32(out, layout.optionalHeader + 56, nextAddress);
    uint32_t initializedData = read32(out, layout.optionalHeader + 8);
    write32(out, layout.optionalHeader + 8, static_cast<uint32_t>(initializedData + initializedDataChange));
    image.swap(out);
    return updateChecksum(image, error);
}

bool updateChecksum(Bytes& image, std::string& error) {
    PeLayout layout;
    if (!readPeLayout(image, layout, error)) return false;
    write32(image, layout.checksumOffset(), peChecksum(image, layout.checksumOffset()));
    return true;
}
