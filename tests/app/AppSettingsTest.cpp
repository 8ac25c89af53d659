// The settings file of this test program sits beside it, as the launcher's
// sits beside the launcher; one test owns it, so the cases run in sequence.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/AppSettings.h"
#include "core/Settings.h"
#include "core/win/DiagnosticLog.h"

namespace {

std::wstring readAll(const std::wstring& path) {
    return IniFile(path).getString(L"Java Runtime Environment", L"JRE Path");
}

std::string fileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void removeTree(const std::wstring& folder) {
    SHFILEOPSTRUCTW operation = {};
    std::wstring from = folder + L'\0';
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

}  // namespace

TEST(AppSettings, ReadsEveryFieldAndWritesTheRuntimeFolderPerUser) {
    std::wstring executable;
    ASSERT_FALSE(modulePath(executable));
    const std::wstring settingsPath = executable.substr(0, executable.rfind(L'.')) + L".ini";

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring appData = std::wstring(temp) + L"load-settings-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(appData.c_str(), nullptr);
    SetEnvironmentVariableW(L"APPDATA", appData.c_str());

    const std::string settingsText =
        "[Product Information]\nProduct Name=My: App\nProduct Code={42}\n"
        "[Java Runtime Environment]\nMain Class=com.example.App\nJRE Path=C:\\jre\nMinimum Version=1.6\n"
        "Preferred versions=1.6;;1.7;\nJVM Type=favor_server\nVM Provider=FAVOR_IBM\nJVM Source=only_JDK\n"
        "[Java Runtime Environment+]\nSystem Path=C:\\sys\n"
        "[Application]\nFailure Check=YES\nOverride WorkingDir=yes\nPair Product=C:\\app\\pair64.exe\n"
        "Pair Return Code=Yes\nSingle Instance=yes\nDPI Awareness=unaware\n[Class Path]\nClass Path=lib\\*.jar\n"
        "[Display]\nSplash Screen=splash.png\nSplash Screen Shadow=True\nPreffer Native Splash Screen=yes\n";
    writeBytes(settingsPath, settingsText);

    AppSettings settings;
    ASSERT_FALSE(readAppSettings(executable, SettingsLookup(settingsPath), settings));
    EXPECT_EQ(settings.hosting.mainClass, L"com/example/App");
    EXPECT_EQ(settings.productName, L"My: App");
    EXPECT_EQ(settings.jrePath, L"C:\\jre");
    EXPECT_EQ(settings.runtime.versionMin, (JavaVersion{{1, 6, 0, 0}}));
    EXPECT_EQ(settings.runtime.versionMax, (JavaVersion{{65535, 65535, 65535, 65535}}));
    EXPECT_EQ(settings.runtime.preferredVersions, (std::vector<std::wstring>{L"1.6", L"", L"1.7"}));
    EXPECT_EQ(settings.runtime.jvmTypeMode, JvmTypeMode::FavorServer);
    EXPECT_TRUE(settings.runtime.provider.allowIbm && settings.runtime.provider.favorIbm &&
                !settings.runtime.provider.favorSun);
    EXPECT_TRUE(!settings.runtime.source.favorSource && settings.runtime.source.acceptJdk &&
                !settings.runtime.source.acceptJre);
    EXPECT_EQ(settings.hosting.systemPath, L" C:\\sys");
    EXPECT_TRUE(settings.hosting.failureCheck && settings.overrideWorkingDir && settings.pairReturnCode);
    EXPECT_FALSE(settings.isService || isServiceApplication(SettingsLookup(settingsPath)));
    EXPECT_EQ(settings.serviceStopTimeout, 20u);
    EXPECT_TRUE(settings.runtime.hasPairProduct && settings.singleInstance);
    EXPECT_TRUE(settings.hosting.keepsThreadsAttached);
    EXPECT_EQ(settings.hosting.classPath, L"lib\\*.jar");
    EXPECT_EQ(settings.splash.image, L"splash.png");
    EXPECT_FALSE(settings.splash.shadow) << "only \"true\" asks for a shadow";
    EXPECT_TRUE(settings.splash.preferNative);
    EXPECT_EQ(settings.desktop.dpiAwareness, L"unaware");

    // An ordinary application writes only into the per-user files.
    rememberRuntimeFolder(settings, executable, L"D:\\picked\\");
    EXPECT_EQ(fileBytes(settingsPath), settingsText);
    std::wstring userFile = appData + L"\\My App\\{42}\\" + executable.substr(executable.rfind(L'\\') + 1);
    userFile = userFile.substr(0, userFile.rfind(L'.')) + L".ini";
    EXPECT_EQ(readAll(userFile), L"D:\\picked\\");
    EXPECT_EQ(readAll(appData + L"\\My App\\{42}\\pair64.ini"), L"D:\\picked\\");

    // The per-user file now decides, even once it lacks the key.
    AppSettings reread;
    ASSERT_FALSE(readAppSettings(executable, SettingsLookup(settingsPath), reread));
    EXPECT_EQ(reread.jrePath, L"D:\\picked\\");
    writeBytes(userFile, "[Other]\nx=1\n");
    ASSERT_FALSE(readAppSettings(executable, SettingsLookup(settingsPath), reread));
    EXPECT_EQ(reread.jrePath, L"");

    // A service application writes the settings file itself and the paired one.
    writeBytes(settingsPath,
               "[Java Runtime Environment]\nMain Class=a.B\n[Application]\nApplication Type=service\n"
               "Single Instance=yes\nService Stop Timeout=45\nOverride WorkingDir=no\nPair Product=" +
                   std::string(appData.begin(), appData.end()) + "\\pair.exe\n");
    AppSettings service;
    const SettingsLookup serviceFile(settingsPath);
    ASSERT_FALSE(readAppSettings(executable, serviceFile, service));
    EXPECT_TRUE(service.isService && isServiceApplication(serviceFile));
    EXPECT_EQ(service.serviceStopTimeout, 45u);
    EXPECT_TRUE(service.workingDirGiven && !service.overrideWorkingDir) << "a service stays in the system folder";
    EXPECT_FALSE(service.singleInstance) << "a service never keeps a single instance";
    rememberRuntimeFolder(service, executable, L"E:\\jre\\");
    EXPECT_EQ(readAll(settingsPath), L"E:\\jre\\");
    EXPECT_EQ(readAll(appData + L"\\pair.ini"), L"E:\\jre\\");

    // A write that fails shows nothing; the log tells which file and why.
    ASSERT_TRUE(openLog(appData + L"\\write-back.log"));
    service.pairProduct = appData + L"\\missing\\pair.exe";
    rememberRuntimeFolder(service, executable, L"F:\\jre\\");
    const std::string missing = std::string(appData.begin(), appData.end()) + "\\missing\\pair.ini, system error 3";
    EXPECT_NE(fileBytes(appData + L"\\write-back.log").find("JRE Path not written to " + missing), std::string::npos);

    DeleteFileW(settingsPath.c_str());
    removeTree(appData);
}
