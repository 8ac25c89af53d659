// Splitting command lines into application arguments.
#pragma once

#include <string>
#include <vector>

// Only U+0020 separates; a double quote counts only at the start of a token.
void tokenize(const std::wstring& text, std::vector<std::wstring>& tokens);

// Tokens of a whole process command line, the executable path left out.
std::vector<std::wstring> splitCommandLineText(const std::wstring& commandLine);

// "-nosplash" or "/nosplash", exactly, anywhere in the list.
bool hasNoSplashSwitch(const std::vector<std::wstring>& arguments);
