// Text for and from Win32 in the forms the launcher hands on.
#pragma once

#include <string>
#include <string_view>

// Narrow text in the calling thread's ANSI code page, as the JVM reads its
// options and class names and the native splash library its file name.
std::string toThreadAnsi(const std::wstring& text);

std::wstring fromThreadAnsi(const std::string& text);

// Narrow text in the machine's ANSI code page, as the profile functions read files.
std::wstring fromMachineAnsi(std::string_view text);

// "%NAME%" references replaced; the text unchanged when expansion fails.
std::wstring expandEnvironment(const std::wstring& text);

// The variable's value however long, or empty when it is not set.
std::wstring environmentVariable(const wchar_t* name);
