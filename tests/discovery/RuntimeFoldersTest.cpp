#include <gtest/gtest.h>

#include <string>

#include "DiscoveryFixtures.h"

namespace {

TEST(FindJvmLibrary, TheModeDecidesBetweenClientAndServer) {
    TempFolder temp;
    const std::wstring both = temp.runtime(L"both\\", {kClient, kServer});
    const std::wstring clientOnly = temp.runtime(L"client\\", {kClient});
    const std::wstring jrockit = temp.runtime(L"jrockit\\", {kJRockitVm});

    JvmLibrary library = findJvmLibrary(both, JvmTypeMode::Default);
    EXPECT_EQ(library.path, both + kClient);
    EXPECT_FALSE(library.isServer);
    library = findJvmLibrary(both, JvmTypeMode::FavorServer);
    EXPECT_EQ(library.path, both + kServer);
    EXPECT_TRUE(library.isServer);
    EXPECT_EQ(findJvmLibrary(both, JvmTypeMode::ServerOnly).path, both + kServer);

    EXPECT_EQ(findJvmLibrary(clientOnly, JvmTypeMode::FavorServer).path, clientOnly + kClient);
    EXPECT_TRUE(findJvmLibrary(clientOnly, JvmTypeMode::ServerOnly).path.empty());
    EXPECT_EQ(findJvmLibrary(jrockit, JvmTypeMode::Default).path, jrockit + kJRockitVm);
    EXPECT_TRUE(findJvmLibrary(jrockit, JvmTypeMode::ServerOnly).path.empty());
    EXPECT_TRUE(findJvmLibrary(temp.path() + L"missing\\", JvmTypeMode::Default).path.empty());
}

TEST(FindJvmLibrary, ARelativeHomeIsTakenAgainstTheWorkingFolder) {
    TempFolder temp;
    temp.runtime(L"work\\rt\\", {kServer});
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);

    ASSERT_TRUE(SetCurrentDirectoryW((temp.path() + L"work").c_str()));
    const JvmLibrary library = findJvmLibrary(L"rt\\", JvmTypeMode::Default);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    const JvmLibrary elsewhere = findJvmLibrary(L"rt\\", JvmTypeMode::Default);
    SetCurrentDirectoryW(previous);

    EXPECT_EQ(library.path, L"rt\\bin\\server\\jvm.dll");
    EXPECT_TRUE(library.isServer);
    EXPECT_TRUE(elsewhere.path.empty());
}

TEST(RuntimeHomeIn, AFolderThatIsARuntimeWinsOverItsJreSubfolder) {
    TempFolder temp;
    temp.writeFile(L"app\\bin\\java.dll");
    temp.writeFile(L"app\\jre\\bin\\java.dll");
    temp.writeFile(L"bundled\\jre\\bin\\java.dll");
    temp.writeFile(L"libraryOnly\\jre\\bin\\client\\jvm.dll");

    EXPECT_EQ(runtimeHomeIn(temp.path() + L"app\\"), temp.path() + L"app\\");
    EXPECT_EQ(runtimeHomeIn(temp.path() + L"bundled\\"), temp.path() + L"bundled\\jre\\");
    EXPECT_TRUE(runtimeHomeIn(temp.path() + L"libraryOnly\\").empty());
    EXPECT_TRUE(runtimeHomeIn(temp.path() + L"nothing\\").empty());
}

std::string peFile(uint16_t machine, uint32_t headerOffset = 0x80, size_t size = 0x400) {
    std::string bytes(size, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i) bytes[0x3C + i] = char(headerOffset >> (8 * i));
    if (headerOffset + 6 <= size) {
        bytes.replace(headerOffset, 2, "PE");
        bytes[headerOffset + 4] = char(machine & 0xFF);
        bytes[headerOffset + 5] = char(machine >> 8);
    }
    return bytes;
}

TEST(ForeignMachineLibrary, OnlyAPeImageForAnotherMachineCounts) {
    TempFolder temp;
    const bool build64 = sizeof(void*) == 8;
    temp.writeFile(L"other.dll", peFile(build64 ? 0x014C : 0x8664));
    temp.writeFile(L"own.dll", peFile(build64 ? 0x8664 : 0x014C));
    temp.writeFile(L"empty.dll", "");
    temp.writeFile(L"text.dll", "This program cannot be run in DOS mode.\r\n");
    temp.writeFile(L"truncated.dll", peFile(0x8664).substr(0, 0x84));
    temp.writeFile(L"farOffset.dll", peFile(0x8664, 0x7FFFFFF0));
    temp.writeFile(L"mzOnly.dll", "MZ");

    EXPECT_TRUE(isForeignMachineLibrary(temp.path() + L"other.dll"));
    EXPECT_FALSE(isForeignMachineLibrary(temp.path() + L"own.dll"));
    for (const wchar_t* name : {L"empty.dll", L"text.dll", L"truncated.dll", L"farOffset.dll", L"mzOnly.dll",
                                L"missing.dll"}) {
        EXPECT_FALSE(isForeignMachineLibrary(temp.path() + name)) << name;
    }

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_FALSE(isForeignMachineLibrary(self));
}

}  // namespace
