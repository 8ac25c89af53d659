#include "discovery/RuntimeRanking.h"

#include <algorithm>

bool isWithinLimits(const JavaVersion& version, const JavaVersion& minimum, const JavaVersion& maximum) {
    if (compareVersions(version, minimum) < 0) return false;
    return isUnbounded(maximum) || compareVersions(version, maximum) <= 0;
}

void sortCandidates(std::vector<JavaRuntime>& candidates, bool favorSource, JvmTypeMode mode) {
    const bool favorServer = mode == JvmTypeMode::FavorServer;
    // A lexicographic order, so a stable sort gives exactly the order of an
    // exchange sort over the same rules, without its quadratic cost.
    std::stable_sort(candidates.begin(), candidates.end(), [&](const JavaRuntime& a, const JavaRuntime& b) {
        if (favorSource && a.isPreferred != b.isPreferred) return a.isPreferred;
        if (favorServer && a.isServer != b.isServer) return a.isServer;
        return compareVersions(a.version, b.version) > 0;
    });
}

const JavaRuntime* selectCandidate(const std::vector<JavaRuntime>& sorted,
                                   const std::vector<std::wstring>& preferredVersions) {
    for (const std::wstring& item : preferredVersions) {
        const JavaVersion pattern = parseVersion(item, kVersionFillMin);
        for (const JavaRuntime& candidate : sorted) {
            if (matchesPreferred(candidate.version, pattern)) return &candidate;
        }
    }
    return sorted.empty() ? nullptr : &sorted.front();
}
