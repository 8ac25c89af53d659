#include <gtest/gtest.h>

#include "hosting/ClassPathRules.h"
#include "hosting/FolderPath.h"
#include "hosting/LibraryPaths.h"
#include "hosting/TimestampPicture.h"

namespace {

TEST(ClassPathRules, OnlyDriveAndUncPiecesAreTakenAsWritten) {
    EXPECT_FALSE(needsClassPathSearch(L"C:\\common\\x.jar"));
    EXPECT_FALSE(needsClassPathSearch(L"\\\\server\\share\\x.jar"));
    EXPECT_TRUE(needsClassPathSearch(L"C:\\lib\\*.jar"));
    EXPECT_TRUE(needsClassPathSearch(L"\\app.jar"));
    EXPECT_TRUE(needsClassPathSearch(L"lib\\app.jar"));
    EXPECT_TRUE(needsClassPathSearch(L"x"));
    EXPECT_TRUE(needsClassPathSearch(L""));

    const std::wstring folder = L"C:\\app";
    EXPECT_EQ(classPathSearchPattern(L"\\lib\\*.jar", folder), L"C:\\app\\lib\\*.jar");
    EXPECT_EQ(classPathSearchPattern(L"lib\\app.jar", folder), L"C:\\applib\\app.jar");
    EXPECT_EQ(classPathSearchPattern(L"", folder), L"C:\\app");
    EXPECT_EQ(classPathSearchPattern(L"D:\\x\\*.jar", folder), L"D:\\x\\*.jar");
}

TEST(LibraryPaths, ComposeTheLibraryPathOptionAndTheSearchPath) {
    const std::wstring jvm = L"C:\\jre\\bin\\client\\jvm.dll";
    EXPECT_EQ(runtimeHomeOf(jvm), L"C:\\jre");
    EXPECT_EQ(withoutLastComponents(jvm, 2), L"C:\\jre\\bin");
    EXPECT_EQ(withoutLastComponents(L"jvm.dll", 3), L"jvm.dll");
    EXPECT_EQ(withoutLastComponents(L"a\\b", 3), L"a");

    EXPECT_EQ(libraryPathValue(L"native", L"C:\\app\\", jvm), L"native;C:\\app\\;.;%Path%;C:\\jre\\lib");
    EXPECT_EQ(libraryPathValue(L"native;", L"C:\\app\\", jvm), L"native;C:\\app\\;.;%Path%;C:\\jre\\lib");

    EXPECT_EQ(searchPathValue(L"", jvm), L"%Path%;C:\\jre\\bin");
    EXPECT_EQ(searchPathValue(L"C:\\tools", jvm), L"C:\\tools;%Path%;C:\\jre\\bin");
    EXPECT_EQ(searchPathValue(L"C:\\tools;", jvm), L"C:\\tools;%Path%;C:\\jre\\bin");
}

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

TEST(TimestampPicture, SplitsAtFirstAndLastPercentAndInsertsMilliseconds) {
    TimestampName parts;
    EXPECT_FALSE(splitTimestampName(L"C:\\logs\\out.log", parts));
    ASSERT_TRUE(splitTimestampName(L"C:\\logs\\app_%yyyy-MM-dd%.log", parts));
    EXPECT_EQ(parts.before, L"C:\\logs\\app_");
    EXPECT_EQ(parts.picture, L"yyyy-MM-dd");
    EXPECT_EQ(parts.after, L".log");
    ASSERT_TRUE(splitTimestampName(L"a%b%c%d", parts));
    EXPECT_EQ(parts.picture, L"b%c");
    ASSERT_TRUE(splitTimestampName(L"a%b", parts));
    EXPECT_EQ(parts.before, L"a");
    EXPECT_EQ(parts.picture, L"");
    EXPECT_EQ(parts.after, L"b");

    EXPECT_EQ(insertMilliseconds(L"HHmmssL", 512), L"HHmmss512");
    EXPECT_EQ(insertMilliseconds(L"HHmmssL", 7), L"HHmmss7");
    EXPECT_EQ(insertMilliseconds(L"L-L", 0), L"0-0");
}

}  // namespace
