// Pure rules of the settings that tie the process to the desktop: how
// Windows scales its windows, and the taskbar button they group under.
#pragma once

#include <string>

enum class DpiAwareness { System, PerMonitor, Unaware };

// "system", "per-monitor" or "unaware" in any letter case; empty is "system".
// False, with "system", for any other text.
bool parseDpiAwareness(const std::wstring& text, DpiAwareness& awareness);

// Why Windows would not take `id` as the process's AppUserModelID (longer
// than 128 characters, or with a space); null when it would.
const char* appUserModelIdFault(const std::wstring& id);
