// Writes an application folder from PackOptions: everything is checked and
// built in memory first, written to a staging folder, then renamed, so bad
// input leaves no output folder behind.
#pragma once

#include <string>
#include <vector>

#include "PackOptions.h"

// On success `written` lists the files made, relative to the output folder.
bool pack(const PackOptions& options, std::vector<std::string>& written, std::string& error);
