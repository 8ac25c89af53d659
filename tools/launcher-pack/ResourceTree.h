// An image's resources as a flat list, read from and written to the
// three-level resource directory (type, name, language).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bytes.h"
#include "PeLayout.h"

struct ResourceName {
    bool isText = false;
    uint32_t id = 0;
    std::u16string text;

    static ResourceName number(uint32_t id) { return {false, id, {}}; }
    bool operator==(const ResourceName& other) const {
        return isText == other.isText && (isText ? text == other.text : id == other.id);
    }
    // Directory order: names before numbers, each ascending.
    bool operator<(const ResourceName& other) const {
        if (isText != other.isText) return isText;
        return isText ? text < other.text : id < other.id;
    }
};

enum ResourceType : uint32_t {
    kIconType = 3,
    kStringType = 6,
    kGroupIconType = 14,
    kVersionType = 16,
    kManifestType = 24
};

struct Resource {
    ResourceName type;
    ResourceName name;
    uint32_t language = 0;
    uint32_t codePage = 0;
    Bytes data;
};

// Reads every resource the directory at `directoryRva` names. Refuses
// directories that point outside the image or hold more than any real
// executable does.
bool readResources(const Bytes& image, const PeLayout& layout, uint32_t directoryRva, std::vector<Resource>& resources,
                   std::string& error);

// A resource section for `sectionRva`: directories, data entries, names,
// then the data, each 8-byte aligned.
Bytes buildResourceSection(std::vector<Resource> resources, uint32_t sectionRva);
