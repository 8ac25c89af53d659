#include "discovery/RuntimeRanking.h"

#include <algorithm>

bool isWithinLimits(const JavaVersion& version, const JavaVersion& minimum, const JavaVersion& maximum) {
    if (compareVersions(version, minimum) < 0) return false;
    return isUnbounded(maximum) || compareVersions(version, maximum) <= 0;
}

bool ranksBefore(const JavaRuntime& a, const JavaRuntime& b, bool favorSource, JvmTypeMode mode) {
    if (favorSource && a.isPreferred != b.isPreferred) return a.isPreferred;
    if (mode == JvmTypeMode::FavorServer && a.isServer != b.isServer) return a.isServer;
    return compareVersions(a.version, b.version) > 0;
}

void sortCandidates(std::vector<JavaRuntime>& candidates, bool favorSource, JvmTypeMode mode) {
    // A lexicographic order, so a stable sort gives exactly the order of an
    // exchange sort over the same rules, without its quadratic cost.
    std::stable_sort(candidates.begin(), candidates.end(), [&](const JavaRuntime& a, const JavaRuntime& b) {
        return ranksBefore(a, b, favorSource, mode);
    });
}

const JavaRuntime* selectCandidate(const std::vector<JavaRuntime>& sorted,
                                   const std::vector<std::wstring>& preferredVersions) {
    const size_t chosen = selectUsableCandidate(sorted, preferredVersions, [](size_t) { return true; });
    return chosen == kNoCandidate ? nullptr : &sorted[chosen];
}

size_t selectUsableCandidate(const std::vector<JavaRuntime>& sorted, const std::vector<std::wstring>& preferredVersions,
                             const std::function<bool(size_t)>& usable) {
    for (const std::wstring& item : preferredVersions) {
        const JavaVersion pattern = parseVersion(item, kVersionFillMin);
        for (size_t i = 0; i < sorted.size(); ++i) {
            if (matchesPreferred(sorted[i].version, pattern) && usable(i)) return i;
        }
    }
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (usable(i)) return i;
    }
    return kNoCandidate;
}
