// Images made at test time, so the tests carry no binary files.
#pragma once

#include <windows.h>

#include <string>

// A folder of the build tree for the splash tests' files; ends in "\".
std::wstring splashTestFolder();

// The colour of quadrant 0..3 (top left, top right, bottom left, bottom right).
COLORREF quadrantColour(int quadrant);

// Writes a width x height PNG split into the four quadrant colours; false on failure.
bool writeQuadrantPng(const std::wstring& path, int width, int height);

bool writeTextFile(const std::wstring& path, const std::string& text);
