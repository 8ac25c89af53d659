// Replaces an executable's resources, leaving every other byte of code and
// data where the linker put it.
#pragma once

#include <string>
#include <vector>

#include "Bytes.h"
#include "ResourceTree.h"

// Reads the resources of an image that `replaceResources` can rewrite.
bool readImageResources(const Bytes& image, std::vector<Resource>& resources, std::string& error);

// Rebuilds the resource section in place; only a base relocation section may
// follow it, and moves up or down with it (nothing refers to its address but
// its data directory). Refuses signed images, images with data after the last
// section, and images whose sections are not laid out in order. Sets a
// correct checksum.
bool replaceResources(Bytes& image, const std::vector<Resource>& resources, std::string& error);

// Recomputes the checksum field, e.g. after appending data.
bool updateChecksum(Bytes& image, std::string& error);
