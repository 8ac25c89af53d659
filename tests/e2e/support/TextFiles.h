// Reading files the launcher or the JVM double wrote.
#pragma once

#include <string>
#include <vector>

std::string readFileBytes(const std::wstring& path);
bool pathExists(const std::wstring& path);
// Lines without their line breaks.
std::vector<std::string> readLines(const std::wstring& path);
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);
// Text as the launcher hands it to the JVM and as INI files in the ANSI code page hold it.
std::string ansi(const std::wstring& text);
