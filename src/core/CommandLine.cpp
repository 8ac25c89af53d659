#include "core/CommandLine.h"

#include <cwctype>

void tokenize(const std::wstring& text, std::vector<std::wstring>& tokens) {
    size_t position = 0;
    const size_t length = text.size();
    while (position < length) {
        size_t end;
        if (text[position] == L'"') {
            size_t start = position + 1;
            end = text.find(L'"', start);
            if (end == std::wstring::npos) {
                tokens.push_back(text.substr(start));
                return;
            }
            tokens.push_back(text.substr(start, end - start));
            ++end;
        } else {
            end = text.find(L' ', position);
            if (end == std::wstring::npos) {
                tokens.push_back(text.substr(position));
                return;
            }
            tokens.push_back(text.substr(position, end - position));
        }
        position = text.find_first_not_of(L' ', end);
        if (position == std::wstring::npos) return;
    }
}

std::vector<std::wstring> splitCommandLineText(const std::wstring& commandLine) {
    size_t first = 0;
    size_t last = commandLine.size();
    while (first < last && std::iswspace(commandLine[first])) ++first;
    while (last > first && std::iswspace(commandLine[last - 1])) --last;

    std::vector<std::wstring> tokens;
    tokenize(commandLine.substr(first, last - first), tokens);
    if (!tokens.empty()) tokens.erase(tokens.begin());
    return tokens;
}

bool hasNoSplashSwitch(const std::vector<std::wstring>& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"-nosplash" || argument == L"/nosplash") return true;
    }
    return false;
}
