// What the manifest of an application's main jar asks of the runtime that
// starts it with `java -jar`, for the launcher's settings to ask it instead.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"

struct MainJarRequests {
    std::string mainClass;               // empty when the manifest names none
    std::vector<std::string> vmOptions;  // --add-opens=..., --add-exports=..., --enable-native-access=...
    unsigned minimumJava = 0;            // the oldest feature release those options start; 0: any
};

using ManifestAttributes = std::vector<std::pair<std::string, std::string>>;

// The main section's attributes in the order written; false with a reason
// for text the Java runtime's manifest reader refuses, in any section: a
// line of 512 bytes or more, a header without ": ", a name other than 1-70
// letters, digits, '-' and '_', a continuation line with nothing to
// continue, an entry section without "Name". A last line without a line end
// is not read, as the runtime does not read it.
bool parseManifest(const std::string& text, ManifestAttributes& mainAttributes, std::string& error);

// False with a reason for a jar that is not a zip or whose manifest cannot
// be read; a jar without a manifest asks nothing.
bool readMainJar(const Bytes& jar, MainJarRequests& requests, std::string& error);
