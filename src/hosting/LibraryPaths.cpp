#include "hosting/LibraryPaths.h"

#include "core/SettingsRules.h"

namespace {

std::wstring withSeparator(const std::wstring& list) {
    if (list.empty() || list.back() == L';') return list;
    return list + L';';
}

}  // namespace

std::wstring runtimeHomeOf(const std::wstring& jvmLibraryPath) { return withoutLastComponents(jvmLibraryPath, 3); }

std::wstring libraryPathValue(const std::wstring& libraryPath, const std::wstring& executableFolder,
                              const std::wstring& jvmLibraryPath) {
    return withSeparator(libraryPath) + executableFolder + L";.;%Path%;" + runtimeHomeOf(jvmLibraryPath) + L"\\lib";
}

std::wstring searchPathValue(const std::wstring& systemPath, const std::wstring& jvmLibraryPath) {
    return withSeparator(systemPath) + L"%Path%;" + withoutLastComponents(jvmLibraryPath, 2);
}
