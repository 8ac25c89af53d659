#include <gtest/gtest.h>

#include "hosting/FolderPath.h"

namespace {

TEST(FolderPath, SplitsRootAndComponents) {
    FolderPath parts = splitFolderPath(L"C:\\a\\b\\out.log");
    EXPECT_EQ(parts.root, L"C:");
    EXPECT_EQ(parts.components, (std::vector<std::wstring>{L"a", L"b", L"out.log"}));
    EXPECT_FALSE(parts.unc);

    parts = splitFolderPath(L"\\\\server\\share\\logs\\out.log");
    EXPECT_EQ(parts.root, L"\\\\server");
    EXPECT_EQ(parts.components, (std::vector<std::wstring>{L"share", L"logs", L"out.log"}));
    EXPECT_TRUE(parts.unc);

    parts = splitFolderPath(L"\\\\?\\C:\\a\\out.log");
    EXPECT_EQ(parts.root, L"\\\\?\\C:");
    EXPECT_EQ(parts.components, (std::vector<std::wstring>{L"a", L"out.log"}));
    EXPECT_FALSE(parts.unc);

    parts = splitFolderPath(L"logs\\out.log");
    EXPECT_EQ(parts.root, L"logs");
    EXPECT_EQ(parts.components, (std::vector<std::wstring>{L"out.log"}));

    parts = splitFolderPath(L"out.log");
    EXPECT_EQ(parts.root, L"out.log");
    EXPECT_TRUE(parts.components.empty());

    EXPECT_TRUE(isAbsoluteFilePath(L"C:"));
    EXPECT_TRUE(isAbsoluteFilePath(L"\\\\s"));
    EXPECT_FALSE(isAbsoluteFilePath(L"\\a"));
    EXPECT_FALSE(isAbsoluteFilePath(L"a"));
}

}  // namespace
