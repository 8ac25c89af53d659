// Expanding environment references in settings values.
#pragma once

#include <string>

// "%NAME%" references replaced; the text unchanged when expansion fails.
std::wstring expandEnvironment(const std::wstring& text);
