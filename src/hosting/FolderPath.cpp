#include "hosting/FolderPath.h"

bool isAbsoluteFilePath(const std::wstring& path) {
    return path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

FolderPath splitFolderPath(const std::wstring& path) {
    const std::wstring kLongPrefix = L"\\\\?\\";
    FolderPath parts;
    std::wstring rest = path;
    std::wstring prefix;
    if (rest.compare(0, kLongPrefix.size(), kLongPrefix) == 0) {
        prefix = kLongPrefix;
        rest.erase(0, kLongPrefix.size());
    }
    parts.unc = rest.size() > 2 && rest[0] == L'\\' && rest[1] == L'\\' && rest[2] != L'?';
    size_t rootEnd = rest.find(L'\\', parts.unc ? 2 : 0);
    if (rootEnd == std::wstring::npos) {
        parts.root = prefix + rest;
        return parts;
    }
    parts.root = prefix + rest.substr(0, rootEnd);
    size_t start = rootEnd + 1;
    for (size_t end; (end = rest.find(L'\\', start)) != std::wstring::npos; start = end + 1) {
        parts.components.push_back(rest.substr(start, end - start));
    }
    parts.components.push_back(rest.substr(start));
    return parts;
}
