#include <gtest/gtest.h>

#include "ExecutableBranding.h"
#include "ResourceRewrite.h"
#include "SyntheticImage.h"
#include "VersionResourceReader.h"

namespace {

std::vector<const Resource*> ofType(const std::vector<Resource>& resources, uint32_t type) {
    std::vector<const Resource*> found;
    for (const Resource& resource : resources) {
        if (!resource.type.isText && resource.type.id == type) found.push_back(&resource);
    }
    return found;
}

// A launcher that already carries an icon of three images and a Swedish
// version resource, as a release build does.
Bytes brandedLauncher() {
    std::vector<Resource> resources = syntheticResources();
    for (uint32_t id : {1u, 2u, 3u}) {
        resources.push_back({ResourceName::number(kIconType), ResourceName::number(id), 0x041D, 0, Bytes(50, 1)});
    }
    resources.push_back(
        {ResourceName::number(kGroupIconType), ResourceName::number(7), 0x041D, 0, Bytes(6 + 3 * 14, 0)});
    VersionInfo old;
    old.language = 0x041D;
    old.strings = {{u"ProductName", u"launcher"}};
    resources.push_back(
        {ResourceName::number(kVersionType), ResourceName::number(1), 0x041D, 0, buildVersionResource(old)});
    return syntheticImage(resources);
}

TEST(ExecutableBranding, ReplacesAnExistingIconAndVersionInTheirLanguage) {
    Bytes image = brandedLauncher();
    Branding branding;
    IconImage icon;
    icon.width = icon.height = 16;
    icon.data.assign(44, 9);
    branding.icons = {icon};
    branding.version.strings = {{u"ProductName", u"MyApp"}};
    std::string error;
    ASSERT_TRUE(brandExecutable(image, branding, error)) << error;

    std::vector<Resource> resources;
    ASSERT_TRUE(readImageResources(image, resources, error)) << error;
    ASSERT_EQ(ofType(resources, kIconType).size(), 1u);
    EXPECT_EQ(ofType(resources, kIconType)[0]->data, icon.data);
    ASSERT_EQ(ofType(resources, kGroupIconType).size(), 1u);
    EXPECT_EQ(ofType(resources, kGroupIconType)[0]->name, ResourceName::number(7));
    EXPECT_EQ(ofType(resources, kGroupIconType)[0]->language, 0x041Du);
    ASSERT_EQ(ofType(resources, kVersionType).size(), 1u);
    EXPECT_EQ(ofType(resources, kVersionType)[0]->language, 0x041Du);
    VersionReadBack version = readVersionResource(ofType(resources, kVersionType)[0]->data);
    EXPECT_EQ(version.strings[u"ProductName"], u"MyApp");
    EXPECT_EQ(version.tableKey, u"041D04B0");
    EXPECT_EQ(ofType(resources, kStringType).size(), 2u);
}

TEST(ExecutableBranding, AddsAVersionWhereThereIsNoneAndKeepsTheIconWhenNoneIsGiven) {
    Bytes image = syntheticImage(syntheticResources());
    Branding branding;
    branding.version.strings = {{u"FileVersion", u"1.0.0.0"}};
    std::string error;
    ASSERT_TRUE(brandExecutable(image, branding, error)) << error;
    std::vector<Resource> resources;
    ASSERT_TRUE(readImageResources(image, resources, error)) << error;
    ASSERT_EQ(ofType(resources, kVersionType).size(), 1u);
    // The string table's language, the first one in directory order.
    EXPECT_EQ(ofType(resources, kVersionType)[0]->language, 0x0409u);
    EXPECT_EQ(resources.size(), syntheticResources().size() + 1);
}

}  // namespace
