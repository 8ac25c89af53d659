// Expanding environment references and making JVM option text.
#pragma once

#include <string>

// "%NAME%" references replaced; the text unchanged when expansion fails.
std::wstring expandEnvironment(const std::wstring& text);

// The calling thread's ANSI code page, as the JVM reads its options.
std::string toThreadAnsi(const std::wstring& text);
