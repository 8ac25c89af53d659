// Narrow text in the calling thread's ANSI code page, as the JVM reads its
// options and class names and the native splash library its file name.
#pragma once

#include <string>

std::string toThreadAnsi(const std::wstring& text);
