// Turns a built launcher into an application's own executable: its icon,
// its version resource and, optionally, its jar appended.
#pragma once

#include <string>
#include <vector>

#include "Bytes.h"
#include "IconFile.h"
#include "VersionInfo.h"

struct Branding {
    std::vector<IconImage> icons;  // empty: the launcher's icon stays
    VersionInfo version;           // its language is taken from the image
    Bytes embeddedJar;             // empty: none
};

bool brandExecutable(Bytes& image, const Branding& branding, std::string& error);
