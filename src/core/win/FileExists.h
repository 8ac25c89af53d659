#pragma once

#include <string>

// Asks the file system's directory for the name; nothing is opened or loaded.
bool fileExists(const std::wstring& path);
