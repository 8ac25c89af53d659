#include "core/Settings.h"

#include <windows.h>

#include <vector>

#include "core/ErrorReporting.h"
#include "core/LauncherSettings.h"
#include "core/SettingsRules.h"
#include "resources/resource.h"

namespace {

const wchar_t kJreSection[] = L"Java Runtime Environment";
const wchar_t kApplicationSection[] = L"Application";

std::wstring environmentVariable(const wchar_t* name) {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    return std::wstring(buffer, length);
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

JavaVersion versionLimit(const std::wstring& text, int32_t fill) {
    if (text == L"any") return JavaVersion{{fill, fill, fill, fill}};
    // Without digits there is no limit; a bare 0.0.0.0 maximum would admit nothing.
    JavaVersion version;
    if (!parseVersion(text, fill, version) && fill == kVersionFillMax) {
        return JavaVersion{{fill, fill, fill, fill}};
    }
    return version;
}

}  // namespace

bool modulePath(std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0) {
        DWORD error = GetLastError();
        showWindowsError(nullptr, IDS_WINDOWS_ERROR, loadString(IDS_MODULE_PATH_FAILED), error);
        return false;
    }
    path.assign(buffer, length);
    return true;
}

bool settingsFilePath(std::wstring& path) {
    std::wstring executable;
    if (!modulePath(executable)) return false;
    path = replaceExtensionWithIni(executable);
    return !path.empty();
}

std::wstring userSettingsFilePath(const std::wstring& executablePath, const std::wstring& productName,
                                  const std::wstring& productCode, bool createFolders) {
    std::wstring path = environmentVariable(L"APPDATA") + L"\\" + productFolderName(productName);
    if (createFolders) CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + productCode;
    if (createFolders) CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\" + settingsBaseName(executablePath);
}

bool pairedSettingsFilePath(const LauncherSettings& settings, std::wstring& path) {
    if (settings.pairProduct.empty()) return false;
    path = replaceExtensionWithIni(settings.pairProduct);
    return !path.empty();
}

std::wstring IniFile::getString(const wchar_t* section, const wchar_t* key) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length != buffer.size() - 1) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool IniFile::setString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
    return WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str()) != 0;
}

std::wstring SettingsLookup::getString(const wchar_t* section, const wchar_t* key) const {
    std::wstring value = file_.getString(section, key);
    if (!value.empty()) return value;
    std::wstring plusSection = std::wstring(section) + L"+";
    return plusSectionValue(file_.getString(plusSection.c_str(), key));
}

bool loadSettings(LauncherSettings& settings) {
    std::wstring path;
    if (!settingsFilePath(path)) return false;

    IniFile file(path);
    settings.productCode = file.getString(L"Product Information", L"Product Code");
    settings.productName = file.getString(L"Product Information", L"Product Name");

    SettingsLookup lookup(path);
    settings.versionMin = versionLimit(lookup.getString(kJreSection, L"Minimum Version"), kVersionFillMin);
    settings.versionMax = versionLimit(lookup.getString(kJreSection, L"Maximum Version"), kVersionFillMax);
    settings.isService = lookup.getString(kApplicationSection, L"Application Type") == L"service";
    settings.preferredVersions = splitSemicolonList(lookup.getString(kJreSection, L"Preferred versions"));

    std::wstring executable;
    std::wstring userFile;
    if (!settings.isService && modulePath(executable)) {
        userFile = userSettingsFilePath(executable, settings.productName, settings.productCode, false);
    }
    if (!userFile.empty() && fileExists(userFile)) {
        settings.jrePath = IniFile(userFile).getString(kJreSection, L"JRE Path");
    } else {
        settings.jrePath = lookup.getString(kJreSection, L"JRE Path");
    }

    settings.jvmTypeMode = jvmTypeModeFromSetting(lookup.getString(kJreSection, L"JVM Type"));
    applyJvmSource(lookup.getString(kJreSection, L"JVM Source"), settings.source);
    applyVmProvider(lookup.getString(kJreSection, L"VM Provider"), settings.provider);
    settings.registrations = runtimeRegistrationsFromSetting(lookup.getString(kJreSection, L"Runtime Registrations"));
    settings.useJavaHome = isYesAnyCase(lookup.getString(kJreSection, L"Use JAVA_HOME"));

    std::wstring mainClass = lookup.getString(kJreSection, L"Main Class");
    if (mainClass.empty()) {
        showError(nullptr, MAKEINTRESOURCEW(IDS_MAIN_CLASS_MISSING));
        return false;
    }
    for (wchar_t& c : mainClass) {
        if (c == L'.') c = L'/';
    }
    settings.mainClass = mainClass;

    settings.failureCheck = isYesAnyCase(lookup.getString(kApplicationSection, L"Failure Check"));
    settings.overrideWorkingDir = isYesAnyCase(lookup.getString(kApplicationSection, L"Override WorkingDir"));
    settings.systemPath = lookup.getString(kJreSection, L"System Path");
    settings.libraryPath = lookup.getString(kJreSection, L"Library Path");
    settings.pairProduct = lookup.getString(kApplicationSection, L"Pair Product");
    settings.pairReturnCode = isYesAnyCase(lookup.getString(kApplicationSection, L"Pair Return Code"));
    return true;
}

void writeJrePath(const LauncherSettings& settings, const std::wstring& folder) {
    auto store = [&folder](const std::wstring& file) { IniFile(file).setString(kJreSection, L"JRE Path", folder); };
    if (settings.isService) {
        std::wstring path;
        if (!settingsFilePath(path)) return;
        store(path);
        if (pairedSettingsFilePath(settings, path)) store(path);
        return;
    }
    std::wstring executable;
    if (!modulePath(executable)) return;
    store(userSettingsFilePath(executable, settings.productName, settings.productCode, true));
    if (!settings.pairProduct.empty()) {
        store(userSettingsFilePath(settings.pairProduct, settings.productName, settings.productCode, true));
    }
}
