#include "ResourceTree.h"

#include <algorithm>
#include <map>

namespace {

constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr size_t kDirectoryHeader = 16;
constexpr size_t kDirectoryEntry = 8;
constexpr size_t kDataEntry = 16;
// Far beyond any executable's resources; a crafted directory whose levels
// share subdirectories could otherwise name billions.
constexpr size_t kMaxResources = 20000;
// Data and names, counted each time they are read or copied.
constexpr uint64_t kMaxTotalData = 32u << 20;

class DirectoryReader {
public:
    // A tree visits each of its entries once, and they all lie in the section
    // after the root: more visits mean shared directories, whose visits
    // multiply from level to level even where they find no resource.
    DirectoryReader(const Bytes& image, const PeLayout& layout, uint32_t rootRva)
        : image_(image),
          layout_(layout),
          rootRva_(rootRva),
          entriesLeft_(bytesFrom(layout, rootRva) / kDirectoryEntry) {}

    bool read(std::vector<Resource>& resources, std::string& error) {
        Resource prefix;
        if (!readLevel(0, 0, prefix, resources)) {
            error = error_;
            return false;
        }
        return true;
    }

private:
    bool fail(const char* reason) {
        error_ = reason;
        return false;
    }

    bool at(uint32_t relative, uint32_t length, size_t& offset) {
        uint64_t rva = uint64_t{rootRva_} + relative;
        return rva <= UINT32_MAX && rvaToOffset(layout_, image_, static_cast<uint32_t>(rva), length, offset);
    }

    bool readName(uint32_t field, ResourceName& name) {
        if (!(field & kSubdirectoryBit)) {
            name = ResourceName::number(field & 0xFFFF);
            return true;
        }
        size_t offset = 0;
        if (!at(field & ~kSubdirectoryBit, 2, offset)) return fail("a resource name lies outside the image");
        uint16_t length = read16(image_, offset);
        if (!at((field & ~kSubdirectoryBit) + 2, uint32_t{length} * 2, offset)) {
            return fail("a resource name lies outside the image");
        }
        if ((totalData_ += uint32_t{length} * 2) > kMaxTotalData) {
            return fail("more resources than an executable holds");
        }
        name.isText = true;
        name.text.clear();
        for (uint16_t index = 0; index < length; ++index) name.text.push_back(read16(image_, offset + 2 * index));
        return true;
    }

    bool readData(uint32_t relative, Resource& resource, std::vector<Resource>& resources) {
        size_t offset = 0;
        if (!at(relative, kDataEntry, offset)) return fail("a resource data entry lies outside the image");
        uint32_t rva = read32(image_, offset);
        uint32_t size = read32(image_, offset + 4);
        resource.codePage = read32(image_, offset + 8);
        size_t dataOffset = 0;
        if (!rvaToOffset(layout_, image_, rva, size, dataOffset)) return fail("resource data lies outside the image");
        // Each resource keeps its own copy of its type's and its name's text.
        totalData_ += uint64_t{size} + 2 * (resource.type.text.size() + resource.name.text.size());
        if (resources.size() >= kMaxResources || totalData_ > kMaxTotalData) {
            return fail("more resources than an executable holds");
        }
        resource.data.assign(image_.begin() + dataOffset, image_.begin() + dataOffset + size);
        resources.push_back(resource);
        return true;
    }

    bool readLevel(int level, uint32_t relative, Resource& path, std::vector<Resource>& resources) {
        size_t offset = 0;
        if (!at(relative, kDirectoryHeader, offset)) return fail("a resource directory lies outside the image");
        uint32_t count = uint32_t{read16(image_, offset + 12)} + read16(image_, offset + 14);
        size_t entries = 0;
        if (!at(relative + kDirectoryHeader, count * kDirectoryEntry, entries)) {
            return fail("a resource directory lies outside the image");
        }
        if (count > entriesLeft_) return fail("the resource directories share subdirectories: more entries than their section holds");
        entriesLeft_ -= count;
        for (uint32_t index = 0; index < count; ++index) {
            uint32_t nameField = read32(image_, entries + index * kDirectoryEntry);
            uint32_t target = read32(image_, entries + index * kDirectoryEntry + 4);
            bool isDirectory = (target & kSubdirectoryBit) != 0;
            if (isDirectory != (level < 2)) return fail("the resource directory is not three levels deep");
            ResourceName name;
            if (!readName(nameField, name)) return false;
            if (level == 0) path.type = name;
            if (level == 1) path.name = name;
            if (level == 2) {
                if (name.isText) return fail("a resource language is a name");
                path.language = name.id;
                if (!readData(target, path, resources)) return false;
            } else if (!readLevel(level + 1, target & ~kSubdirectoryBit, path, resources)) {
                return false;
            }
        }
        return true;
    }

    const Bytes& image_;
    const PeLayout& layout_;
    uint32_t rootRva_;
    uint32_t entriesLeft_;
    uint64_t totalData_ = 0;
    std::string error_;
};

uint32_t nameField(const ResourceName& name, const std::map<std::u16string, uint32_t>& nameOffsets) {
    return name.isText ? (kSubdirectoryBit | nameOffsets.at(name.text)) : name.id;
}

void writeDirectoryHeader(Bytes& out, size_t offset, uint32_t named, uint32_t numbered) {
    write32(out, offset, 0);
    write32(out, offset + 4, 0);
    write32(out, offset + 8, 0);
    write16(out, offset + 12, named);
    write16(out, offset + 14, numbered);
}

template <typename Key>
std::vector<Key> distinct(std::vector<Key> keys) {
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

size_t countNamed(const std::vector<ResourceName>& names) {
    return std::count_if(names.begin(), names.end(), [](const ResourceName& name) { return name.isText; });
}

}  // namespace

bool readResources(const Bytes& image, const PeLayout& layout, uint32_t directoryRva, std::vector<Resource>& resources,
                   std::string& error) {
    resources.clear();
    return DirectoryReader(image, layout, directoryRva).read(resources, error);
}

Bytes buildResourceSection(std::vector<Resource> resources, uint32_t sectionRva) {
    std::stable_sort(resources.begin(), resources.end(), [](const Resource& a, const Resource& b) {
        if (!(a.type == b.type)) return a.type < b.type;
        if (!(a.name == b.name)) return a.name < b.name;
        return a.language < b.language;
    });

    // Sizes first: every directory, then the data entries, then the names.
    std::vector<ResourceName> types;
    for (const Resource& resource : resources) types.push_back(resource.type);
    types = distinct(types);
    size_t directoriesSize = kDirectoryHeader + types.size() * kDirectoryEntry;
    std::vector<std::vector<ResourceName>> namesOfType;
    for (const ResourceName& type : types) {
        std::vector<ResourceName> names;
        for (const Resource& resource : resources) {
            if (resource.type == type) names.push_back(resource.name);
        }
        names = distinct(names);
        directoriesSize += kDirectoryHeader + names.size() * kDirectoryEntry;
        for (const ResourceName& name : names) {
            size_t languages = std::count_if(resources.begin(), resources.end(), [&](const Resource& resource) {
                return resource.type == type && resource.name == name;
            });
            directoriesSize += kDirectoryHeader + languages * kDirectoryEntry;
        }
        namesOfType.push_back(names);
    }
    size_t dataEntries = directoriesSize;
    size_t namesStart = dataEntries + resources.size() * kDataEntry;
    std::map<std::u16string, uint32_t> nameOffsets;
    size_t namesEnd = namesStart;
    for (const Resource& resource : resources) {
        for (const ResourceName* name : {&resource.type, &resource.name}) {
            if (!name->isText || nameOffsets.count(name->text)) continue;
            nameOffsets[name->text] = static_cast<uint32_t>(namesEnd);
            namesEnd += 2 + 2 * name->text.size();
        }
    }

    Bytes out(namesEnd, 0);
    for (const auto& [text, offset] : nameOffsets) {
        write16(out, offset, static_cast<uint32_t>(text.size()));
        for (size_t index = 0; index < text.size(); ++index) write16(out, offset + 2 + 2 * index, text[index]);
    }
    padTo(out, 8);

    // Then the tree, depth first, each data blob placed as its entry is written.
    size_t nextDirectory = kDirectoryHeader + types.size() * kDirectoryEntry;
    size_t nextDataEntry = dataEntries;
    writeDirectoryHeader(out, 0, static_cast<uint32_t>(countNamed(types)),
                         static_cast<uint32_t>(types.size() - countNamed(types)));
    for (size_t t = 0; t < types.size(); ++t) {
        const std::vector<ResourceName>& names = namesOfType[t];
        size_t nameDirectory = nextDirectory;
        nextDirectory += kDirectoryHeader + names.size() * kDirectoryEntry;
        write32(out, kDirectoryHeader + t * kDirectoryEntry, nameField(types[t], nameOffsets));
        write32(out, kDirectoryHeader + t * kDirectoryEntry + 4,
                kSubdirectoryBit | static_cast<uint32_t>(nameDirectory));
        writeDirectoryHeader(out, nameDirectory, static_cast<uint32_t>(countNamed(names)),
                             static_cast<uint32_t>(names.size() - countNamed(names)));
        for (size_t n = 0; n < names.size(); ++n) {
            std::vector<const Resource*> languages;
            for (const Resource& resource : resources) {
                if (resource.type == types[t] && resource.name == names[n]) languages.push_back(&resource);
            }
            size_t languageDirectory = nextDirectory;
            nextDirectory += kDirectoryHeader + languages.size() * kDirectoryEntry;
            size_t entry = nameDirectory + kDirectoryHeader + n * kDirectoryEntry;
            write32(out, entry, nameField(names[n], nameOffsets));
            write32(out, entry + 4, kSubdirectoryBit | static_cast<uint32_t>(languageDirectory));
            writeDirectoryHeader(out, languageDirectory, 0, static_cast<uint32_t>(languages.size()));
            for (size_t l = 0; l < languages.size(); ++l) {
                const Resource& resource = *languages[l];
                size_t languageEntry = languageDirectory + kDirectoryHeader + l * kDirectoryEntry;
                write32(out, languageEntry, resource.language & 0xFFFF);
                write32(out, languageEntry + 4, static_cast<uint32_t>(nextDataEntry));
                size_t dataOffset = out.size();
                out.insert(out.end(), resource.data.begin(), resource.data.end());
                padTo(out, 8);
                write32(out, nextDataEntry, sectionRva + static_cast<uint32_t>(dataOffset));
                write32(out, nextDataEntry + 4, static_cast<uint32_t>(resource.data.size()));
                write32(out, nextDataEntry + 8, resource.codePage);
                write32(out, nextDataEntry + 12, 0);
                nextDataEntry += kDataEntry;
            }
        }
    }
    return out;
}
