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

std::vector<size_t> rankingOrder(const std::vector<JavaRuntime>& candidates, bool favorSource, JvmTypeMode mode) {
    // Stable, by binary insertion into an order of indices: sorting the
    // entries themselves would cost the image more than this.
    std::vector<size_t> order;
    order.reserve(candidates.size());
    for (size_t index = 0; index < candidates.size(); ++index) {
        auto place = std::upper_bound(order.begin(), order.end(), index, [&](size_t a, size_t b) {
            return ranksBefore(candidates[a], candidates[b], favorSource, mode);
        });
        order.insert(place, index);
    }
    return order;
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
