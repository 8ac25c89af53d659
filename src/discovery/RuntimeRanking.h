// Filtering, ranking and choosing among the runtimes found in the registry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "discovery/JavaVersion.h"
#include "discovery/RuntimePreferences.h"

struct JavaRuntime {
    JavaVersion version;
    std::wstring home;  // ends in a backslash
    bool isServer = false;
    bool isPreferred = false;
};

// Both limits are inclusive. An unbounded maximum (0.0.0.0, as an absent or
// digit-free "Maximum Version" parses) admits every version, so a settings
// file without the key does not reject every installed runtime.
bool isWithinLimits(const JavaVersion& version, const JavaVersion& minimum, const JavaVersion& maximum);

// Preferred first (only with `favorSource`), then server first (only in
// FavorServer mode), then the higher version.
bool ranksBefore(const JavaRuntime& a, const JavaRuntime& b, bool favorSource, JvmTypeMode mode);

// The candidates' indices in `ranksBefore` order; ties keep their order.
std::vector<size_t> rankingOrder(const std::vector<JavaRuntime>& candidates, bool favorSource, JvmTypeMode mode);

constexpr size_t kNoCandidate = static_cast<size_t>(-1);

// Among the ranked candidates of which only the usable ones count: the first
// matching the earliest preferred version that matches any usable one, else
// the top usable one. Whether one is usable costs a look at its folder, so
// `usable(index)` is asked in the order the choice considers them, and only
// until it is made.
size_t selectUsableCandidate(const std::vector<JavaRuntime>& sorted, const std::vector<std::wstring>& preferredVersions,
                             const std::function<bool(size_t)>& usable);
