// The "release" file in a runtime home: KEY="value" lines written by the
// runtime's build. Its JAVA_VERSION names the version when the registry does not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "discovery/JavaVersion.h"

// The runtime home's file that carries the version line.
constexpr const wchar_t* kReleaseFileName = L"release";

// The value of the first JAVA_VERSION line, quotes removed, parsed with fill 0.
// False when there is no such line or its value holds no version.
bool parseReleaseVersion(const uint8_t* data, size_t size, JavaVersion& version);
