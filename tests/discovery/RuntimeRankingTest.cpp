#include <gtest/gtest.h>

#include <algorithm>

#include "discovery/RuntimeRanking.h"

namespace {

JavaRuntime runtime(const std::wstring& version, bool isServer = false, bool isPreferred = false) {
    return {parseVersion(version, kVersionFillMin), L"C:\\" + version + L"\\", isServer, isPreferred};
}

std::vector<JavaRuntime> ranked(const std::vector<JavaRuntime>& candidates, bool favorSource, JvmTypeMode mode) {
    std::vector<JavaRuntime> sorted;
    for (size_t index : rankingOrder(candidates, favorSource, mode)) sorted.push_back(candidates[index]);
    return sorted;
}

std::wstring homes(const std::vector<JavaRuntime>& runtimes) {
    std::wstring text;
    for (const JavaRuntime& r : runtimes) text += r.home;
    return text;
}

std::wstring chosen(const std::vector<JavaRuntime>& candidates, const std::vector<std::wstring>& preferred,
                    bool favorSource = true, JvmTypeMode mode = JvmTypeMode::Default) {
    const std::vector<JavaRuntime> sorted = ranked(candidates, favorSource, mode);
    const size_t choice = selectUsableCandidate(sorted, preferred, [](size_t) { return true; });
    return choice == kNoCandidate ? L"(none)" : sorted[choice].home;
}

TEST(VersionLimits, BothLimitsAreInclusiveAndAnUnboundedMaximumAdmitsAll) {
    const JavaVersion min16 = parseVersion(L"1.6", kVersionFillMin);
    const JavaVersion max16 = parseVersion(L"1.6", kVersionFillMax);
    const JavaVersion none{};
    EXPECT_TRUE(isWithinLimits(parseVersion(L"1.6.0_45", 0), min16, max16));
    EXPECT_TRUE(isWithinLimits(parseVersion(L"1.6", 0), min16, none));
    EXPECT_FALSE(isWithinLimits(parseVersion(L"1.5.0_22", 0), min16, none));
    EXPECT_FALSE(isWithinLimits(parseVersion(L"1.7", 0), none, max16));
    EXPECT_TRUE(isWithinLimits(parseVersion(L"1.7", 0), none, none));
    EXPECT_TRUE(isWithinLimits(parseVersion(L"99", 0), none, JavaVersion{{65535, 65535, 65535, 65535}}));
    EXPECT_TRUE(isWithinLimits(JavaVersion{}, none, none));  // a digit-free subkey name is version 0.0.0.0
}

TEST(RankingOrder, PreferredThenServerThenNewerWithTiesInCollectionOrder) {
    std::vector<JavaRuntime> list = {
        runtime(L"1.6"), runtime(L"1.8"), runtime(L"1.7", true), runtime(L"1.5", false, true),
        runtime(L"1.4", true, true),
    };
    EXPECT_EQ(homes(ranked(list, true, JvmTypeMode::FavorServer)), L"C:\\1.4\\C:\\1.5\\C:\\1.7\\C:\\1.8\\C:\\1.6\\");
    EXPECT_EQ(homes(ranked(list, false, JvmTypeMode::FavorServer)), L"C:\\1.7\\C:\\1.4\\C:\\1.8\\C:\\1.6\\C:\\1.5\\");
    EXPECT_EQ(homes(ranked(list, true, JvmTypeMode::Default)), L"C:\\1.5\\C:\\1.4\\C:\\1.8\\C:\\1.7\\C:\\1.6\\");

    std::vector<JavaRuntime> ties = {runtime(L"1.8"), runtime(L"1.8"), runtime(L"1.8")};
    ties[0].home = L"a";
    ties[1].home = L"b";
    ties[2].home = L"c";
    EXPECT_EQ(homes(ranked(ties, true, JvmTypeMode::FavorServer)), L"abc");
}

TEST(SelectCandidate, EarliestMatchingPreferredItemWins) {
    const std::vector<JavaRuntime> installed = {runtime(L"1.6.0_45"), runtime(L"1.7.0_80")};
    EXPECT_EQ(chosen(installed, {}), L"C:\\1.7.0_80\\");
    EXPECT_EQ(chosen(installed, {L"1.6", L"1.7"}), L"C:\\1.6.0_45\\");
    EXPECT_EQ(chosen(installed, {L"1.9", L"1.7"}), L"C:\\1.7.0_80\\");
    EXPECT_EQ(chosen(installed, {L"1.9"}), L"C:\\1.7.0_80\\");
    EXPECT_EQ(chosen(installed, {L"1.6.0_44", L"1.6.0_45"}), L"C:\\1.6.0_45\\");
    // A digit-free or empty item matches everything, so the top candidate wins from there on.
    EXPECT_EQ(chosen(installed, {L"1.9", L"latest", L"1.6"}), L"C:\\1.7.0_80\\");
    EXPECT_EQ(chosen(installed, {L"", L"1.6"}), L"C:\\1.7.0_80\\");
    EXPECT_EQ(chosen({}, {L"1.6"}), L"(none)");
}

TEST(SelectCandidate, PreferredVersionsDoNotOverrideTheRanking) {
    // Among several 1.7 runtimes the preferred item takes the top-ranked one.
    const std::vector<JavaRuntime> installed = {runtime(L"1.7.0_10"), runtime(L"1.8"), runtime(L"1.7.0_80")};
    EXPECT_EQ(chosen(installed, {L"1.7"}), L"C:\\1.7.0_80\\");
    const std::vector<JavaRuntime> serverLast = {runtime(L"1.7.0_80"), runtime(L"1.7.0_10", true)};
    EXPECT_EQ(chosen(serverLast, {L"1.7"}, true, JvmTypeMode::FavorServer), L"C:\\1.7.0_10\\");
}

}  // namespace

namespace {

// The chosen home and the indexes asked about, in order, when only `usable` ones count.
std::wstring chosenAsking(const std::vector<JavaRuntime>& sorted, const std::vector<std::wstring>& preferred,
                          const std::vector<size_t>& unusable, std::vector<size_t>& asked) {
    const size_t choice = selectUsableCandidate(sorted, preferred, [&](size_t index) {
        asked.push_back(index);
        return std::find(unusable.begin(), unusable.end(), index) == unusable.end();
    });
    return choice == kNoCandidate ? L"(none)" : sorted[choice].home;
}

TEST(SelectUsableCandidate, LooksOnlyAsFarAsTheChoiceNeedsAndSkipsWhatCannotBeUsed) {
    const std::vector<JavaRuntime> sorted = {runtime(L"21"), runtime(L"17"), runtime(L"1.8.0_392"), runtime(L"1.8")};
    std::vector<size_t> asked;
    EXPECT_EQ(chosenAsking(sorted, {}, {}, asked), L"C:\\21\\");
    EXPECT_EQ(asked, std::vector<size_t>({0}));

    asked.clear();
    EXPECT_EQ(chosenAsking(sorted, {}, {0, 1}, asked), L"C:\\1.8.0_392\\");
    EXPECT_EQ(asked, std::vector<size_t>({0, 1, 2}));

    // Only matching candidates are looked at for a preferred version; the rest only when none matches.
    asked.clear();
    EXPECT_EQ(chosenAsking(sorted, {L"1.8", L"17"}, {2}, asked), L"C:\\1.8\\");
    EXPECT_EQ(asked, std::vector<size_t>({2, 3}));
    asked.clear();
    EXPECT_EQ(chosenAsking(sorted, {L"1.8"}, {2, 3}, asked), L"C:\\21\\");
    EXPECT_EQ(asked, std::vector<size_t>({2, 3, 0}));
    asked.clear();
    EXPECT_EQ(chosenAsking(sorted, {}, {0, 1, 2, 3}, asked), L"(none)");
}

}  // namespace
