// Applications made by launcher-pack (tests/pack/make_applications.sh packs
// them before these tests run): their resources read back through Windows'
// own resource functions, their icon on screen, the sample started from
// each packed executable as a user would start it, and the packed service
// installed with its script and driven as the service manager drives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <imagehlp.h>

#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "support/CapturedOutput.h"
#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/RegisteredRuntimes.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const bool kBuild64 = sizeof(void*) == 8;

std::wstring packed(const std::wstring& relative) { return buildPath(L"packed\\" + relative); }

// The double's runtime of the given architecture, from whichever tree built it.
std::wstring runtimeOf(bool x64) {
    return x64 == kBuild64 ? runtimeFixture(L"full") : pairedBuildPath(L"runtimes\\full\\");
}

// The unpacked launcher a packed executable was made from.
std::wstring unpackedOf(bool x64, bool console) {
    std::wstring gui = x64 == kBuild64 ? launcherExePath() : pairedLauncherExePath();
    return console ? gui.substr(0, gui.size() - 4) + L"c.exe" : gui;
}

struct ScopedModuleTraits {
    using Value = HMODULE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { FreeLibrary(value); }
};
using ScopedModule = Scoped<ScopedModuleTraits>;

struct ServiceHandleTraits {
    using Value = SC_HANDLE;
    static Value invalid() { return nullptr; }
    static void close(Value value) { CloseServiceHandle(value); }
};
using ScopedServiceHandle = Scoped<ServiceHandleTraits>;

ScopedModule resourcesOf(const std::wstring& path) {
    return ScopedModule(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::string resourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

uint16_t word(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}
uint32_t dword(const std::string& bytes, size_t at) { return word(bytes, at) | uint32_t{word(bytes, at + 2)} << 16; }

std::wstring versionString(const std::vector<char>& block, const std::wstring& key) {
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring path = L"\\StringFileInfo\\040904B0\\" + key;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"?";
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

struct PackedExecutable {
    const wchar_t* path;
    bool x64;
    bool console;
};

const PackedExecutable kPackedExecutables[] = {
    {L"gui\\MyApp.exe", false, false},         {L"gui\\MyApp64.exe", true, false},
    {L"console\\MyApp.exe", false, true},      {L"console\\MyApp64.exe", true, true},
    {L"embedded\\MyApp.exe", kBuild64, false},
};

// The icon group names every image of the .ico, in order, and each icon
// resource holds that image's bytes unchanged.
TEST(PackedResources, TheIconGroupAndEveryImageAreTheIconFiles) {
    const std::string ico = readFileBytes(packed(L"inputs\\app.ico"));
    ASSERT_GE(ico.size(), 6u);
    const uint16_t count = word(ico, 4);
    ASSERT_EQ(count, 4u);
    for (const PackedExecutable& exe : kPackedExecutables) {
        SCOPED_TRACE(toUtf8(exe.path));
        ScopedModule module = resourcesOf(packed(exe.path));
        ASSERT_TRUE(module);
        const std::string group = resourceBytes(module.get(), RT_GROUP_ICON, MAKEINTRESOURCEW(1));
        ASSERT_EQ(group.size(), 6u + 14u * count);
        EXPECT_EQ(word(group, 4), count);
        for (uint16_t index = 0; index < count; ++index) {
            const size_t fileEntry = 6 + 16 * index;
            const size_t groupEntry = 6 + 14 * index;
            EXPECT_EQ(group.substr(groupEntry, 12), ico.substr(fileEntry, 12));
            const std::string image =
                resourceBytes(module.get(), RT_ICON, MAKEINTRESOURCEW(word(group, groupEntry + 12)));
            EXPECT_EQ(image, ico.substr(dword(ico, fileEntry + 12), dword(ico, fileEntry + 8)));
        }
    }
}

TEST(PackedResources, EveryVersionStringAndBothVersionsReadBack) {
    for (const PackedExecutable& exe : kPackedExecutables) {
        SCOPED_TRACE(toUtf8(exe.path));
        const std::wstring path = packed(exe.path);
        DWORD handle = 0;
        std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), &handle));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00020005u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0x00000011u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00020005u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        const std::wstring fileName = std::wstring(exe.path).substr(std::wstring(exe.path).find(L'\\') + 1);
        EXPECT_EQ(versionString(block, L"OriginalFilename"), fileName);
        EXPECT_EQ(versionString(block, L"InternalName"), L"MyApp");
        EXPECT_EQ(versionString(block, L"FileVersion"), L"2.5.0.17");
        EXPECT_EQ(versionString(block, L"ProductVersion"), L"2.5.0.0");
        EXPECT_EQ(versionString(block, L"CompanyName"), L"\u00c5kerblom & S\u00f6ner AB");
        EXPECT_EQ(versionString(block, L"ProductName"), L"Hello Packaged");
        EXPECT_EQ(versionString(block, L"FileDescription"), L"H\u00e4lsningar fr\u00e5n Java");
        EXPECT_EQ(versionString(block, L"LegalCopyright"), L"\u00a9 2026 \u00c5kerblom");
    }
}

// What packing must not touch: the texts, the dialogs, the manifest and the
// event log's message table are those of the launcher the executable was made from.
TEST(PackedResources, StringTableDialogsAndManifestAreTheLaunchers) {
    for (const PackedExecutable& exe : kPackedExecutables) {
        SCOPED_TRACE(toUtf8(exe.path));
        ScopedModule packedModule = resourcesOf(packed(exe.path));
        ScopedModule unpacked = resourcesOf(unpackedOf(exe.x64, exe.console));
        ASSERT_TRUE(packedModule && unpacked);
        for (UINT block = 202 / 16 + 1; block <= 230 / 16 + 1; ++block) {
            const std::string strings = resourceBytes(unpacked.get(), RT_STRING, MAKEINTRESOURCEW(block));
            EXPECT_FALSE(strings.empty());
            EXPECT_EQ(resourceBytes(packedModule.get(), RT_STRING, MAKEINTRESOURCEW(block)), strings);
        }
        for (WORD dialog : {201, 231}) {
            const std::string original = resourceBytes(unpacked.get(), RT_DIALOG, MAKEINTRESOURCEW(dialog));
            EXPECT_FALSE(original.empty());
            EXPECT_EQ(resourceBytes(packedModule.get(), RT_DIALOG, MAKEINTRESOURCEW(dialog)), original);
        }
        for (const wchar_t* type : {RT_MANIFEST, RT_MESSAGETABLE}) {
            const std::string original = resourceBytes(unpacked.get(), type, MAKEINTRESOURCEW(1));
            EXPECT_FALSE(original.empty());
            EXPECT_EQ(resourceBytes(packedModule.get(), type, MAKEINTRESOURCEW(1)), original);
        }
    }
}

TEST(PackedResources, TheHeaderChecksumIsTheFilesChecksum) {
    for (const PackedExecutable& exe : kPackedExecutables) {
        std::wstring path = packed(exe.path);
        DWORD header = 0, computed = 0;
        ASSERT_EQ(MapFileAndCheckSumW(&path[0], &header, &computed), static_cast<DWORD>(CHECKSUM_SUCCESS));
        EXPECT_EQ(header, computed) << toUtf8(exe.path);
        EXPECT_NE(header, 0u) << toUtf8(exe.path);
    }
}

// A main jar made by the jar tool (deflated, its Add-Opens line wrapped)
// and the module options, as the settings the launcher reads.
TEST(PackedSettings, HoldWhatTheMainJarsManifestAsksAndTheModuleOptions) {
    const std::wstring ini = packed(L"manifest\\MyApp.ini");
    const auto value = [&](const wchar_t* section, const wchar_t* key) {
        wchar_t text[1024] = {};
        GetPrivateProfileStringW(section, key, L"", text, 1024, ini.c_str());
        return std::wstring(text);
    };
    const wchar_t* runtime = L"Java Runtime Environment";
    EXPECT_EQ(value(runtime, L"Main Class"), L"hello.Main");
    EXPECT_EQ(value(runtime, L"Virtual Machine Parameters"),
              L"-Xmx64m --add-opens=java.base/java.lang=ALL-UNNAMED --add-opens=java.desktop/sun.awt=ALL-UNNAMED "
              L"--add-opens=java.base/java.util.concurrent.atomic=ALL-UNNAMED "
              L"--add-exports=java.base/sun.nio.ch=ALL-UNNAMED --enable-native-access=ALL-UNNAMED");
    EXPECT_EQ(value(runtime, L"Minimum Version"), L"16");
    EXPECT_EQ(value(L"Class Path", L"Class Path"), L"\\lib\\main.jar;\\lib\\hello.jar");
    EXPECT_EQ(value(runtime, L"Main Module"), L"hello/hello.Main");
    EXPECT_EQ(value(runtime, L"Module Path"), L"\\mods\\hello.jar;\\mods\\classes");
    EXPECT_EQ(value(runtime, L"Add Modules"), L"jdk.jfr,jdk.net");
    for (const wchar_t* file : {L"manifest\\lib\\main.jar", L"manifest\\mods\\hello.jar",
                                L"manifest\\mods\\classes\\hello\\Main.class"}) {
        EXPECT_NE(GetFileAttributesW(packed(file).c_str()), INVALID_FILE_ATTRIBUTES) << toUtf8(file);
    }
}

// A window showing an executable's 48-pixel icon in its caption and drawn in its client area.
class IconWindow {
public:
    IconWindow(const std::wstring& exe, const wchar_t* title, int x) {
        ScopedModule module = resourcesOf(exe);
        icon_ = static_cast<HICON>(LoadImageW(module.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, 0));
        static const ATOM windowClass = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &IconWindow::procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = L"PackedIconWindow";
            return RegisterClassW(&wc);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 100, 300,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
        UpdateWindow(window_);
    }
    ~IconWindow() {
        DestroyWindow(window_);
        if (icon_) DestroyIcon(icon_);
    }
    IconWindow(const IconWindow&) = delete;
    IconWindow& operator=(const IconWindow&) = delete;

    bool hasIcon() const { return icon_ != nullptr; }
    // The screen position of the drawn icon's centre.
    POINT iconCentre() const {
        POINT centre = {kIconLeft + 24, kIconTop + 24};
        ClientToScreen(window_, &centre);
        return centre;
    }

private:
    static constexpr int kIconLeft = 40, kIconTop = 40;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        if (message == WM_PAINT) {
            auto* self = reinterpret_cast<IconWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (self && self->icon_) DrawIconEx(dc, kIconLeft, kIconTop, self->icon_, 48, 48, 0, nullptr, DI_NORMAL);
            EndPaint(window, &paint);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HICON icon_ = nullptr;
    HWND window_ = nullptr;
};

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The packed icon is green with a yellow disc; the launcher's is not.
bool isPackedYellow(COLORREF colour) {
    return GetRValue(colour) > 200 && GetGValue(colour) > 150 && GetGValue(colour) < 230 && GetBValue(colour) < 60;
}

TEST(PackedIcon, ShowsBesideTheUnpackedLaunchersIcon) {
    IconWindow launcher(launcherExePath(), L"launcher", 60);
    IconWindow packedApp(packed(L"embedded\\MyApp.exe"), L"MyApp", 400);
    ASSERT_TRUE(launcher.hasIcon() && packedApp.hasIcon());
    const POINT packedCentre = packedApp.iconCentre();
    const POINT launcherCentre = launcher.iconCentre();
    EXPECT_TRUE(waitUntil([&] {
        pumpMessages();
        return isPackedYellow(screenPixel(packedCentre.x, packedCentre.y));
    }));
    EXPECT_FALSE(isPackedYellow(screenPixel(launcherCentre.x, launcherCentre.y)));
    EXPECT_FALSE(saveScreenshot(L"packed_icon_beside_launcher").empty());
}

// A packed application folder copied to a sandbox, its settings given the
// double's runtime as they would be edited on the user's machine.
class PackedApplication : public ::testing::Test {
protected:
    void install(const std::wstring& variant) {
        ASSERT_TRUE(copyTree(packed(variant), sandbox.path(L"MyApp")));
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
        launch.arguments = L"first \"second word\"";
    }

    std::wstring exe(bool x64) const { return sandbox.path(x64 ? L"MyApp\\MyApp64.exe" : L"MyApp\\MyApp.exe"); }

    void setRuntime(const std::wstring& exePath, const std::wstring& runtime) const {
        const std::wstring ini = exePath.substr(0, exePath.size() - 3) + L"ini";
        ASSERT_TRUE(WritePrivateProfileStringW(L"Java Runtime Environment", L"JRE Path", runtime.c_str(), ini.c_str()));
    }

    std::vector<std::string> logLines(const std::string& containing) const {
        std::vector<std::string> found;
        for (const std::string& line : readLines(sandbox.path(L"calls.log"))) {
            if (line.find(containing) != std::string::npos) found.push_back(line);
        }
        return found;
    }

    void expectSampleRanOnce() const {
        const std::vector<std::string> mains = logLines("hello/Main.main(");
        ASSERT_EQ(mains.size(), 1u);
        EXPECT_NE(mains[0].find("([\"first\", \"second word\"])"), std::string::npos) << mains[0];
    }

    RegisteredRuntimes registry;
    Sandbox sandbox;
    LaunchOptions launch;
};

TEST_F(PackedApplication, GuiExecutablesOfBothArchitecturesStartTheSample) {
    install(L"gui");
    for (bool x64 : {false, true}) {
        SCOPED_TRACE(x64 ? "MyApp64.exe" : "MyApp.exe");
        DeleteFileW(sandbox.path(L"calls.log").c_str());
        setRuntime(exe(x64), runtimeOf(x64));
        EXPECT_EQ(runToExit(exe(x64), launch), 0u);
        expectSampleRanOnce();
        const std::vector<std::string> created = logLines("JNI_CreateJavaVM version=");
        ASSERT_EQ(created.size(), 1u);
        EXPECT_NE(created[0].find("-Dgreeting=Hello from the packed launcher"), std::string::npos) << created[0];
        EXPECT_NE(created[0].find("MyApp\\lib\\hello.jar"), std::string::npos) << created[0];
    }
}

TEST_F(PackedApplication, ConsoleExecutablesOfBothArchitecturesPrintOnTheConsole) {
    install(L"console");
    for (bool x64 : {false, true}) {
        SCOPED_TRACE(x64 ? "MyApp64.exe" : "MyApp.exe");
        CapturedOutput output(sandbox.path(x64 ? L"console64.txt" : L"console.txt"));
        launch.standardOutput = output.handle();
        setRuntime(exe(x64), runtimeOf(x64));
        EXPECT_EQ(runToExit(exe(x64), launch), 0u);
        EXPECT_NE(output.text().find("hello.Main loaded\r\nHello from Java\r\n"), std::string::npos) << output.text();
        EXPECT_NE(output.text().find("second word\r\n"), std::string::npos) << output.text();
    }
}

// Started from another working folder, as from a shell: the pair is found
// beside the executable, hosts the 64-bit runtime, and its output comes
// through the console the first one was given.
TEST_F(PackedApplication, The32BitExecutableHandsA64BitRuntimeToItsPackedPair) {
    install(L"console");
    CapturedOutput output(sandbox.path(L"console.txt"));
    launch.standardOutput = output.handle();
    launch.workingFolder = sandbox.folder();
    setRuntime(exe(false), runtimeOf(true));
    setRuntime(exe(true), runtimeOf(true));
    EXPECT_EQ(runToExit(exe(false), launch), 0u);
    EXPECT_NE(output.text().find("Hello from Java\r\n"), std::string::npos) << output.text();
    EXPECT_EQ(logLines("hello/Main.main(").size(), 1u);
}

// One bundled runtime, of one architecture, as vendors ship today: each
// executable runs the application, the other architecture's through its pair.
TEST_F(PackedApplication, OneBundledRuntimeServesBothExecutables) {
    install(L"gui");
    sandbox.copyTree(runtimeOf(!kBuild64), L"MyApp\\jre");
    sandbox.writeFile(L"MyApp\\lib\\exit.classes", "class hello.Main\nmain exit 37\n");
    for (bool x64 : {false, true}) {
        const std::wstring ini = exe(x64).substr(0, exe(x64).size() - 3) + L"ini";
        ASSERT_TRUE(WritePrivateProfileStringW(L"Class Path", L"Class Path", L"\\lib\\exit.classes", ini.c_str()));
    }
    for (bool x64 : {false, true}) {
        SCOPED_TRACE(x64 ? "MyApp64.exe" : "MyApp.exe");
        EXPECT_EQ(runToExit(exe(x64), launch), 37u);
    }
    EXPECT_EQ(logLines("hello/Main.main(").size(), 2u);
}

TEST_F(PackedApplication, AnEmbeddedJarRunsWithTheExecutableFirstOnTheClassPath) {
    install(L"embedded");
    setRuntime(exe(false), runtimeOf(kBuild64));
    EXPECT_EQ(runToExit(exe(false), launch), 0u);
    const std::vector<std::string> created = logLines("JNI_CreateJavaVM version=");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_NE(created[0].find("\"-Djava.class.path=" + ansi(exe(false)) + ";"), std::string::npos) << created[0];
    expectSampleRanOnce();
}

// The packed service, installed by its own script. Wine's service manager
// ends a service when no other program of the prefix runs: this test does.
class PackedService : public PackedApplication {
protected:
    void SetUp() override {
        install(L"service");
        sandbox.writeFile(L"service.classes",
                          "class svc.Stoppable\nmain out main started\nmain args\nmain thread wait-file stop.flag\n"
                          "serviceStop out serviceStop called\nserviceStop touch stop.flag\n"
                          "class svc.Hooked\nmain hook out shutdown hook ran\nmain out main started\n"
                          "main thread wait-file never.flag\n");
        setRuntime(exe(false), runtimeOf(kBuild64));
        set(L"Class Path", L"Class Path", sandbox.path(L"service.classes"));
        set(L"Application", L"Output File", sandbox.path(L"out.txt"));
        set(L"Application", L"Log File", sandbox.path(L"launcher.log"));
        set(L"Application", L"Cmd", L"fromCmd");
        ASSERT_EQ(run(L"\"" + sandbox.path(L"MyApp\\install-service.cmd\"")), 0u);
        manager_.reset(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        service_.reset(OpenServiceW(manager_.get(), L"Hello Service", SERVICE_ALL_ACCESS));
        ASSERT_TRUE(service_);
    }
    void TearDown() override {
        service_.reset();
        run(L"\"" + sandbox.path(L"MyApp\\uninstall-service.cmd\""));
    }

    void set(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
        WritePrivateProfileStringW(section, key, value.c_str(), sandbox.path(L"MyApp\\MyApp.ini").c_str());
    }
    // A command as a script's line: through cmd.
    DWORD run(const std::wstring& command) const {
        LaunchOptions options;
        options.commandLine = L"cmd /c \"" + command + L"\"";
        return runToExit(L"C:\\windows\\system32\\cmd.exe", options);
    }
    SERVICE_STATUS status() const {
        SERVICE_STATUS status = {};
        QueryServiceStatus(service_.get(), &status);
        return status;
    }
    bool reaches(DWORD state) const {
        return waitUntil([&] { return status().dwCurrentState == state; }, 30000);
    }
    bool printed(const char* text) const {
        return waitUntil([&] { return readFileBytes(sandbox.path(L"out.txt")).find(text) != std::string::npos; });
    }

    ScopedServiceHandle manager_, service_;
};

TEST_F(PackedService, RunsMainWithItsStartParametersAndStopsThroughServiceStop) {
    static QUERY_SERVICE_CONFIGW config[64];
    DWORD size = 0;
    ASSERT_TRUE(QueryServiceConfigW(service_.get(), config, sizeof config, &size));
    EXPECT_STREQ(config->lpDisplayName, L"H\u00e4lsning & 100% \"Java\"");
    const wchar_t* source = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Hello Service";
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, source, L"EventMessageFile", RRF_RT_ANY, nullptr, nullptr, nullptr), 0);
    const std::wstring command = L"\"" + exe(false) + L"\" first";
    ASSERT_TRUE(ChangeServiceConfigW(service_.get(), SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE,
                                     command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    set(L"Java Runtime Environment", L"Main Class", L"svc.Stoppable");
    const wchar_t* parameters[] = {L"a", L"b c"};
    ASSERT_TRUE(StartServiceW(service_.get(), 2, parameters));
    ASSERT_TRUE(reaches(SERVICE_RUNNING));
    EXPECT_TRUE(printed("main started\r\nfirst\r\nfromCmd\r\na\r\nb c\r\n"));
    EXPECT_EQ(run(L"sc stop \"Hello Service\""), 0u);
    ASSERT_TRUE(reaches(SERVICE_STOPPED));
    EXPECT_EQ(status().dwWin32ExitCode, 0u);
    EXPECT_TRUE(printed("serviceStop called"));
    EXPECT_TRUE(pathExists(sandbox.path(L"MyApp\\stop.flag"))) << "the working folder is the executable's";
}

TEST_F(PackedService, WithoutServiceStopAStopRunsTheShutdownHooks) {
    set(L"Java Runtime Environment", L"Main Class", L"svc.Hooked");
    ASSERT_TRUE(StartServiceW(service_.get(), 0, nullptr));
    ASSERT_TRUE(printed("main started"));
    EXPECT_EQ(run(L"sc stop \"Hello Service\""), 0u);
    ASSERT_TRUE(reaches(SERVICE_STOPPED));
    EXPECT_EQ(status().dwWin32ExitCode, 0u);
    EXPECT_TRUE(printed("shutdown hook ran"));
}

// A window would hold the service in its start; it ends instead. Wine's
// event log keeps no entries to read back: the diagnostics log has the text.
TEST_F(PackedService, WithoutARuntimeItLogsTheMessageAndEnds) {
    setRuntime(exe(false), sandbox.path(L"none"));
    ASSERT_TRUE(StartServiceW(service_.get(), 0, nullptr));
    ASSERT_TRUE(reaches(SERVICE_STOPPED));
    EXPECT_EQ(status().dwWin32ExitCode, static_cast<DWORD>(ERROR_SERVICE_SPECIFIC_ERROR));
    EXPECT_EQ(status().dwServiceSpecificExitCode, 0xFFFFFFFFu);
    const std::string log = readFileBytes(sandbox.path(L"launcher.log"));
    EXPECT_NE(log.find("event log, source Hello Service: Det gick inte att hitta JRE"), std::string::npos) << log;

    // A runtime only the pair can host: the pair would run beyond the service manager's reach.
    setRuntime(exe(false), runtimeOf(!kBuild64));
    set(L"Application", L"Pair Product", L"MyApp64.exe");
    ASSERT_TRUE(StartServiceW(service_.get(), 0, nullptr));
    EXPECT_TRUE(waitUntil([&] {
        return readFileBytes(sandbox.path(L"launcher.log")).find("(felnummer = 193)") != std::string::npos;
    }));
    ASSERT_TRUE(reaches(SERVICE_STOPPED));
    EXPECT_EQ(status().dwServiceSpecificExitCode, 0xFFFFFFFFu);
}

TEST_F(PackedService, StartedFromAConsoleItRunsAsAnOrdinaryApplication) {
    set(L"Java Runtime Environment", L"Main Class", L"svc.Stoppable");
    sandbox.writeFile(L"MyApp\\stop.flag", "");
    EXPECT_EQ(runToExit(exe(false), launch), 0u);
    EXPECT_TRUE(printed("main started\r\nfirst\r\nsecond word\r\nfromCmd\r\n"));
}

}  // namespace
