#include "ExecutableBranding.h"

#include <algorithm>
#include <utility>

#include "ResourceRewrite.h"
#include "ZipOffsets.h"

namespace {

constexpr uint16_t kEnglishUs = 0x0409;

bool isType(const Resource& resource, uint32_t type) { return !resource.type.isText && resource.type.id == type; }

// The language the image speaks: its version resource's, else its string table's.
uint16_t imageLanguage(const std::vector<Resource>& resources) {
    for (uint32_t type : {kVersionType, kStringType}) {
        for (const Resource& resource : resources) {
            if (isType(resource, type)) return static_cast<uint16_t>(resource.language);
        }
    }
    return kEnglishUs;
}

void replaceIcons(std::vector<Resource>& resources, const std::vector<IconImage>& icons, uint16_t language) {
    // The first group keeps its name and language, so the code that loads it finds the new one.
    Resource group;
    group.type = ResourceName::number(kGroupIconType);
    group.name = ResourceName::number(1);
    group.language = language;
    auto first = std::find_if(resources.begin(), resources.end(),
                              [](const Resource& resource) { return isType(resource, kGroupIconType); });
    if (first != resources.end()) {
        group.name = first->name;
        group.language = first->language;
    }
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource& resource) {
                                       return isType(resource, kIconType) || isType(resource, kGroupIconType);
                                   }),
                    resources.end());
    for (size_t index = 0; index < icons.size(); ++index) {
        Resource icon;
        icon.type = ResourceName::number(kIconType);
        icon.name = ResourceName::number(static_cast<uint32_t>(index + 1));
        icon.language = group.language;
        icon.data = icons[index].data;
        resources.push_back(icon);
    }
    group.data = iconGroup(icons, 1);
    resources.push_back(group);
}

bool replaceVersion(std::vector<Resource>& resources, VersionInfo version, std::string& error) {
    version.language = imageLanguage(resources);
    Bytes data = buildVersionResource(version);
    if (data.empty()) {
        error = "the version texts are too long: a version resource holds at most 65,535 bytes";
        return false;
    }
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource& resource) { return isType(resource, kVersionType); }),
                    resources.end());
    Resource resource;
    resource.type = ResourceName::number(kVersionType);
    resource.name = ResourceName::number(1);
    resource.language = version.language;
    resource.data = std::move(data);
    resources.push_back(resource);
    return true;
}

}  // namespace

bool brandExecutable(Bytes& image, const Branding& branding, std::string& error) {
    std::vector<Resource> resources;
    if (!readImageResources(image, resources, error)) return false;
    if (!branding.icons.empty()) replaceIcons(resources, branding.icons, imageLanguage(resources));
    if (!replaceVersion(resources, branding.version, error) || !replaceResources(image, resources, error)) return false;
    if (branding.embeddedJar.empty()) return true;
    Bytes jar = branding.embeddedJar;
    if (!shiftZipOffsets(jar, static_cast<uint32_t>(image.size()), error)) return false;
    image.insert(image.end(), jar.begin(), jar.end());
    return updateChecksum(image, error);
}
