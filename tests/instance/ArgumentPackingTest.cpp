#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "instance/InstanceProtocol.h"

namespace {

using Block = std::array<unsigned char, kBlockSize>;
using List = std::vector<std::wstring>;

List roundTrip(const List& arguments) {
    Block block{};
    EXPECT_TRUE(packArguments(arguments, block.data(), block.size()));
    return unpackArguments(block.data(), block.size());
}

void putUnit(Block& block, size_t offset, unsigned unit) {
    block[offset] = static_cast<unsigned char>(unit & 0xFF);
    block[offset + 1] = static_cast<unsigned char>(unit >> 8);
}

TEST(ArgumentPacking, ListsArriveAsTheReceivingSideSeesThem) {
    EXPECT_EQ(roundTrip({}), List{L""});
    EXPECT_EQ(roundTrip({L"a.txt", L"-x"}), (List{L"a.txt", L"-x"}));
    // An empty string after a non-empty one reads as the end of the list.
    EXPECT_EQ(roundTrip({L"first", L"", L"third"}), List{L"first"});
    EXPECT_EQ(roundTrip({L"", L"second"}), (List{L"", L"second"}));
    EXPECT_EQ(roundTrip({L"\u00e5\u00e4\u00f6 \u65e5\u672c"}), List{L"\u00e5\u00e4\u00f6 \u65e5\u672c"});
}

TEST(ArgumentPacking, WritesLittleEndianUnitsFromOffsetTwelve) {
    Block block{};
    block[0] = 0x11;  // header bytes stay as they are
    ASSERT_TRUE(packArguments({L"A\u0102", L"b"}, block.data(), block.size()));
    const unsigned char expected[] = {0x41, 0, 0x02, 0x01, 0, 0, 0x62, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), block.begin() + kArgumentsOffset));
    EXPECT_EQ(block[0], 0x11);
    EXPECT_EQ(block[1], 0);
}

TEST(ArgumentPacking, LimitIsCountedOverTheWholeList) {
    // 2 + (2 * 518 + 2) = 1,040 bytes fit; one more character does not.
    const List fits{std::wstring(518, L'x')};
    const List tooLong{std::wstring(519, L'x')};
    EXPECT_EQ(packedArgumentsSize(fits), 1040u);
    EXPECT_EQ(packedArgumentsSize(tooLong), 1042u);
    EXPECT_EQ(packedArgumentsSize({L"ab", L"", L"c"}), 2u + 6 + 2 + 4);
    EXPECT_EQ(roundTrip(fits), fits);

    Block block;
    block.fill(0xAB);
    EXPECT_FALSE(packArguments(tooLong, block.data(), block.size()));
    for (unsigned char byte : block) ASSERT_EQ(byte, 0xAB) << "a refused list must leave the block untouched";
}

TEST(ArgumentPacking, ShorterListClearsWhatALongerOneLeft) {
    Block block{};
    ASSERT_TRUE(packArguments({std::wstring(300, L'z'), L"tail"}, block.data(), block.size()));
    ASSERT_TRUE(packArguments({L"new"}, block.data(), block.size()));
    EXPECT_EQ(unpackArguments(block.data(), block.size()), List{L"new"});
}

TEST(ArgumentPacking, WalkOfForeignContentsStopsAtItsLimit) {
    Block block;
    block.fill(0x41);  // no NUL anywhere: the unfinished string is left out
    EXPECT_TRUE(unpackArguments(block.data(), block.size()).empty());

    // Strings closed by a single NUL count, the unfinished rest does not.
    putUnit(block, 20, 0);
    List got = unpackArguments(block.data(), block.size());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), 4u);

    // A NUL in the last unit the walk reads still looks one unit further.
    block.fill(0x41);
    putUnit(block, 2088, 0);
    putUnit(block, 2090, 0);
    got = unpackArguments(block.data(), block.size());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), (2088u - kArgumentsOffset) / 2);

    // Text in the header's place or past the walk's end is never read.
    EXPECT_TRUE(unpackArguments(block.data(), kArgumentsOffset).empty());
    EXPECT_TRUE(unpackArguments(block.data(), kArgumentsOffset + 1).empty());
}

TEST(InstanceNames, PathBecomesOneNamePerFolder) {
    EXPECT_EQ(instanceNameOf(L"C:\\Program Files\\App\\app.exe"), L"C:_Program Files_App_app.exe");
    EXPECT_NE(instanceNameOf(L"C:\\A\\app.exe"), instanceNameOf(L"C:\\B\\app.exe"));
    EXPECT_NE(instanceNameOf(L"C:\\A\\app.exe"), instanceNameOf(L"C:\\a\\app.exe"));
    EXPECT_EQ(mainStartedEventName(L"C:_x.exe"), L"C:_x.exe_upr_evt");

    // The longest path that still names its objects itself, and one longer,
    // which gets a fixed-length name of its own.
    const std::wstring longest = L"C:\\" + std::wstring(244, L'd') + L".exe";
    ASSERT_EQ(longest.size(), 251u);
    EXPECT_EQ(instanceNameOf(longest), L"C:_" + std::wstring(244, L'd') + L".exe");
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\app.exe";
    const std::wstring name = instanceNameOf(deep);
    EXPECT_EQ(name.size(), instanceNameOf(deep + L"x").size());
    EXPECT_LE(mainStartedEventName(name).size(), 259u);
    EXPECT_NE(name, instanceNameOf(L"C:\\" + std::wstring(300, L'd') + L"\\App.exe"));
}

}  // namespace
