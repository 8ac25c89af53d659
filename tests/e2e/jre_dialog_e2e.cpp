// No Java runtime on the machine: the user sees what to install, can follow
// the download link or browse to a runtime folder, and the folder is kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kCaption[] = L"Det gick inte att hitta JRE";
const wchar_t kMessage[] =
    L"Det gick inte att hitta JRE (Java Runtime Environment). Hämta och installera JRE (äldsta version 1.6) från:";
const wchar_t kServerMessage[] = L"Det gick inte att hitta JRE (Java Runtime Environment). Hämta och installera JRE "
                                 L"med server-JVM (äldsta version 1.6) från:";
const wchar_t kDownloadAddress[] = L"https://adoptium.net/";
const DWORD kExitFailed = 0xFFFFFFFF;
const int kPathEdit = 201;
const int kBrowse = 202;
const int kMessageText = 203;
const int kLink = 205;
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kPurple = RGB(128, 0, 128);
const COLORREF kRed = RGB(255, 0, 0);

std::string ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring unixPath(const std::wstring& windowsPath) {
    std::wstring path = windowsPath.substr(2);
    for (wchar_t& c : path) {
        if (c == L'\\') c = L'/';
    }
    return path;
}

void setUserValue(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    ScopedRegistryKey handle;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void deleteUserValue(const wchar_t* key, const wchar_t* name) {
    ScopedRegistryKey handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, handle.receive()) != ERROR_SUCCESS) return;
    RegDeleteValueW(handle.get(), name);
}

// A per-user registry value as it was, put back on destruction.
class SavedUserValue {
public:
    SavedUserValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
        ScopedRegistryKey handle;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, handle.receive()) != ERROR_SUCCESS) return;
        DWORD size = 0;
        if (RegQueryValueExW(handle.get(), name, nullptr, &type_, nullptr, &size) != ERROR_SUCCESS) return;
        bytes_.resize(size);
        existed_ = RegQueryValueExW(handle.get(), name, nullptr, &type_, bytes_.data(), &size) == ERROR_SUCCESS;
    }
    ~SavedUserValue() {
        if (!existed_) {
            deleteUserValue(key_, name_);
            return;
        }
        ScopedRegistryKey handle;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.receive(),
                            nullptr) == ERROR_SUCCESS) {
            RegSetValueExW(handle.get(), name_, 0, type_, bytes_.data(), static_cast<DWORD>(bytes_.size()));
        }
    }
    SavedUserValue(const SavedUserValue&) = delete;
    SavedUserValue& operator=(const SavedUserValue&) = delete;

private:
    const wchar_t* key_;
    const wchar_t* name_;
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    std::vector<BYTE> bytes_;
};

const wchar_t kBrowserColors[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// Pixels of `color` on screen inside a control.
int screenPixelsOf(HWND control, COLORREF color) {
    const RECT rect = windowRect(control);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) count += screenPixel(x, y) == color;
    }
    return count;
}

// The rightmost screen column of the control that holds a pixel of `color`.
int lastColumnOf(HWND control, COLORREF color) {
    const RECT rect = windowRect(control);
    for (int x = rect.right - 1; x >= rect.left; --x) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            if (screenPixel(x, y) == color) return x;
        }
    }
    return -1;
}

// The position travels with the event, so the launcher sees the button and the move where they happen.
void mouseAt(int x, int y, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    Sleep(scaled(150));
}

void pressKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(scaled(150));
}

HCURSOR currentCursor() {
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof(cursor);
    GetCursorInfo(&cursor);
    return cursor.hCursor;
}

// Rests the pointer at `point` until `shows` holds. Wine now and then drops
// an injected move, so the pointer is nudged by a pixel while it waits, as a
// hand on the mouse would.
bool hoverUntil(POINT point, const std::function<bool()>& shows) {
    int moves = 0;
    return waitUntil(
        [&] {
            mouseAt(point.x + moves++ % 2, point.y, MOUSEEVENTF_MOVE);
            return shows();
        },
        5000);
}

// Runtime folders on the user's Desktop, where the folder picker opens. The
// prefix's Desktop may be a link to the Unix home, which another test session
// shares, so while a test runs the user's Desktop is a folder of its own.
class DesktopRuntimes {
public:
    DesktopRuntimes() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        desktop_ = std::wstring(temp) + L"launcher-e2e-desktop-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        removeTree(desktop_);
        EXPECT_TRUE(CreateDirectoryW(desktop_.c_str(), nullptr)) << toUtf8(desktop_);
        setUserValue(kShellFolders, L"Desktop", desktop_.substr(0, desktop_.size() - 1));
        setUserValue(kUserShellFolders, L"Desktop", desktop_.substr(0, desktop_.size() - 1));
        const std::wstring full = runtimeFixture(L"full");
        EXPECT_TRUE(copyTree(full, path(L"X-runtime")));
        CreateDirectoryW(path(L"Y-no-runtime").c_str(), nullptr);
        CreateDirectoryW(path(L"Z-jdk").c_str(), nullptr);
        EXPECT_TRUE(copyTree(full, path(L"Z-jdk") + L"\\jre"));
        const std::wstring client = path(L"Q-client-only");
        EXPECT_TRUE(copyTree(full, client));
        DeleteFileW((client + L"\\bin\\server\\jvm.dll").c_str());
        RemoveDirectoryW((client + L"\\bin\\server").c_str());
    }
    ~DesktopRuntimes() { removeTree(desktop_); }
    std::wstring path(const std::wstring& name) const { return desktop_ + name; }

private:
    static constexpr const wchar_t* kShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const wchar_t* kUserShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    // Taken before the constructor points the Desktop here, put back after the folder is gone.
    SavedUserValue shellFolder_{kShellFolders, L"Desktop"};
    SavedUserValue userShellFolder_{kUserShellFolders, L"Desktop"};
    std::wstring desktop_;
};

// An application whose main returns at once, with no runtime to be found
// and its per-user settings in a folder of its own.
class DialogApp {
public:
    explicit DialogApp(const std::string& jreLines = "") {
        sandbox_.writeFile(L"app.classes", "class app.Main\nmain return\n");
        sandbox_.writeIni("[Product Information]\nProduct Name=Jre Dialog\nProduct Code={e2e}\n"
                          "[Java Runtime Environment]\nMain Class=app.Main\nMinimum Version=1.6\n" +
                          jreLines + "[Class Path]\nClass Path=" + ascii(sandbox_.path(L"app.classes")) + "\n");
        sandbox_.makeFolder(L"appdata");
        DeleteFileW(linkLog().c_str());
        settingsBytes_ = readFileBytes(sandbox_.iniPath());
    }

    LaunchOptions options() const {
        LaunchOptions launch;
        launch.environment[L"APPDATA"] = sandbox_.path(L"appdata");
        launch.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
        return launch;
    }
    const std::wstring& exe() const { return sandbox_.exePath(); }
    std::wstring userSettings() const { return sandbox_.path(L"appdata\\Jre Dialog\\{e2e}\\app.ini"); }
    // The stand-in browser writes into the session's Wine prefix, seen through
    // the drive that maps the Unix root.
    std::wstring linkLog() const {
        wchar_t prefix[MAX_PATH] = {};
        GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
        std::wstring path = L"Z:" + std::wstring(prefix) + L"/opened-links.log";
        for (wchar_t& c : path) {
            if (c == L'/') c = L'\\';
        }
        return path;
    }
    bool settingsUnchanged() const { return readFileBytes(sandbox_.iniPath()) == settingsBytes_; }
    bool mainRan() const {
        for (const std::string& line : readLines(sandbox_.path(L"calls.log"))) {
            if (line.find("app/Main.main(") != std::string::npos) return true;
        }
        return false;
    }

private:
    Sandbox sandbox_;
    std::string settingsBytes_;
};

HWND waitForDialog(const LauncherProcess& process) {
    HWND dialog = waitForWindow(process.processId(), L"#32770", 20000);
    EXPECT_NE(dialog, nullptr);
    if (dialog) {
        EXPECT_EQ(windowText(dialog), kCaption);
    }
    return dialog;
}

// The edit keeps its text to itself: ask it rather than read the window's title.
std::wstring editText(HWND dialog) {
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, kPathEdit), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, scaled(5000), &length);
    return text;
}

bool okEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }

// The dialog takes a picked folder after the picker has closed: it shows the
// path, then checks the folder and only then enables OK or not.
::testing::AssertionResult showsFolder(HWND dialog, const std::wstring& folder, bool accepted) {
    if (!waitUntil([&] { return editText(dialog) == folder; }, 5000)) {
        return ::testing::AssertionFailure() << "the path reads " << toUtf8(editText(dialog));
    }
    // Answered only once the dialog is back in its message loop, the check done.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, scaled(5000), &ignored);
    if (!waitUntil([&] { return okEnabled(dialog) == accepted; }, 5000)) {
        return ::testing::AssertionFailure() << "OK is " << (accepted ? "disabled" : "enabled");
    }
    return ::testing::AssertionSuccess();
}

HTREEITEM selectedItem(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

bool expanded(HWND tree, HTREEITEM item) {
    return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// Posts one key to the picker's tree and waits until the selection has moved.
::testing::AssertionResult keyMovesSelection(HWND tree, UINT message, WPARAM key) {
    const HTREEITEM before = selectedItem(tree);
    PostMessageW(tree, message, key, 1);
    if (waitUntil([&] { return selectedItem(tree) != before; }, 5000)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the tree selection stayed where it was";
}

// Clicks Browse, lets `moveSelection` move the picker's tree selection as a
// user would with the keyboard, and accepts the picker.
template <typename Keys>
void browseWithKeys(const LauncherProcess& process, HWND dialog, Keys moveSelection) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kBrowse, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, kBrowse)));
    HWND picker = nullptr;
    HWND tree = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        for (HWND window : findWindows(process.processId(), L"#32770")) {
            if (window == dialog || !IsWindowVisible(window)) continue;
            tree = FindWindowExW(window, nullptr, L"SysTreeView32", nullptr);
            if (tree && SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0) {
                picker = window;
                return true;
            }
        }
        return false;
    }));
    EXPECT_EQ(ownerOf(picker), dialog);
    moveSelection(tree);
    if (::testing::Test::HasFatalFailure()) return;
    clickButton(picker, IDOK);
    ASSERT_TRUE(waitForWindowGone(picker));
}

// Types the folder's first letter into the tree to jump to it. Each folder
// on the Desktop starts with a letter of its own.
void browseTo(const LauncherProcess& process, HWND dialog, const std::wstring& name) {
    browseWithKeys(process, dialog, [&](HWND tree) { ASSERT_TRUE(keyMovesSelection(tree, WM_CHAR, name[0])); });
}

class JreDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        deleteUserValue(kBrowserColors, L"Anchor Color");
        deleteUserValue(L"Software\\Wine\\WineBrowser", L"Browsers");
    }
};

}  // namespace

TEST_F(JreDialogTest, NoRuntimeShowsWhatToInstallWithOkDisabledAndEscapeEndsIt) {
    DialogApp app;
    LauncherProcess process(app.exe(), app.options());
    HWND dialog = waitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(dialog, kMessageText), kMessage);
    EXPECT_EQ(controlText(dialog, kLink), kDownloadAddress);
    EXPECT_EQ(controlText(dialog, 206), L"Om du har en JRE-version installerad kan du bläddra efter den här:");
    EXPECT_EQ(editText(dialog), L"");
    EXPECT_EQ(controlText(dialog, IDCANCEL), L"Avbryt");
    EXPECT_FALSE(okEnabled(dialog));
    EXPECT_FALSE(saveScreenshot(L"jre-dialog").empty());
    EXPECT_TRUE(waitUntil([&] { return screenPixelsOf(GetDlgItem(dialog, kLink), kBlue) > 30; }, 5000));

    PostMessageW(GetDlgItem(dialog, kBrowse), WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), kExitFailed);
    EXPECT_FALSE(pathExists(app.userSettings()));
    EXPECT_TRUE(app.settingsUnchanged());
    EXPECT_FALSE(app.mainRan());
}

TEST_F(JreDialogTest, ServerTypeAsksForAServerRuntimeAndCancelOrTheCloseBoxEndIt) {
    DialogApp app("JVM Type=server\n");
    {
        LauncherProcess process(app.exe(), app.options());
        HWND dialog = waitForDialog(process);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(controlText(dialog, kMessageText), kServerMessage);
        clickButton(dialog, IDCANCEL);
        ASSERT_TRUE(process.wait(10000));
        EXPECT_EQ(process.exitCode(), kExitFailed);
    }
    LauncherProcess process(app.exe(), app.options());
    HWND dialog = waitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), kExitFailed);
    EXPECT_FALSE(pathExists(app.userSettings()));
    EXPECT_TRUE(app.settingsUnchanged());
}

TEST_F(JreDialogTest, BrowsingAcceptsOnlyARuntimeHomeAndOkKeepsItForTheNextStart) {
    DesktopRuntimes runtimes;
    DialogApp app;
    {
        LauncherProcess process(app.exe(), app.options());
        HWND dialog = waitForDialog(process);
        ASSERT_NE(dialog, nullptr);

        browseTo(process, dialog, L"X-runtime");
        EXPECT_TRUE(showsFolder(dialog, runtimes.path(L"X-runtime"), true));
        EXPECT_FALSE(saveScreenshot(L"jre-dialog-browsed").empty());

        browseTo(process, dialog, L"Y-no-runtime");
        EXPECT_TRUE(showsFolder(dialog, runtimes.path(L"Y-no-runtime"), false));

        // A JDK whose libraries sit only under jre\ is not a runtime home.
        browseTo(process, dialog, L"Z-jdk");
        EXPECT_TRUE(showsFolder(dialog, runtimes.path(L"Z-jdk"), false));

        browseTo(process, dialog, L"X-runtime");
        ASSERT_TRUE(showsFolder(dialog, runtimes.path(L"X-runtime"), true));
        clickButton(dialog, IDOK);
        ASSERT_TRUE(process.wait(20000));
        EXPECT_EQ(process.exitCode(), 0u);
    }
    EXPECT_TRUE(app.mainRan());
    EXPECT_TRUE(app.settingsUnchanged());
    const std::vector<std::string> lines = readLines(app.userSettings());
    const std::vector<std::string> expected = {"[Java Runtime Environment]",
                                               "JRE Path=" + ascii(runtimes.path(L"X-runtime")) + "\\"};
    EXPECT_EQ(lines, expected);

    LauncherProcess again(app.exe(), app.options());
    ASSERT_TRUE(again.wait(20000));
    EXPECT_EQ(again.exitCode(), 0u);
    EXPECT_TRUE(findWindows(again.processId(), L"#32770").empty());
}

TEST_F(JreDialogTest, ServerTypeRefusesAClientOnlyRuntime) {
    DesktopRuntimes runtimes;
    DialogApp app("JVM Type=server\n");
    LauncherProcess process(app.exe(), app.options());
    HWND dialog = waitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    browseTo(process, dialog, L"Q-client-only");
    EXPECT_TRUE(showsFolder(dialog, runtimes.path(L"Q-client-only"), false));
    browseTo(process, dialog, L"X-runtime");
    EXPECT_TRUE(showsFolder(dialog, runtimes.path(L"X-runtime"), true));
    clickButton(dialog, IDCANCEL);
    ASSERT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), kExitFailed);
    EXPECT_FALSE(pathExists(app.userSettings()));
}

TEST_F(JreDialogTest, LinkColorFollowsTheBrowserSettingWhenItIsValid) {
    DialogApp app;
    for (const auto& [value, color] : {std::pair<std::wstring, COLORREF>{L"255,0,0", kRed}, {L"255,0", kBlue}}) {
        setUserValue(kBrowserColors, L"Anchor Color", value);
        LauncherProcess process(app.exe(), app.options());
        HWND dialog = waitForDialog(process);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(waitUntil([&] { return screenPixelsOf(GetDlgItem(dialog, kLink), color) > 30; }, 5000))
            << ascii(value);
        if (value == L"255,0,0") {
            EXPECT_FALSE(saveScreenshot(L"jre-dialog-red-link").empty());
        }
        clickButton(dialog, IDCANCEL);
        ASSERT_TRUE(process.wait(10000));
    }
}

TEST_F(JreDialogTest, ClickingTheLinkOpensTheAddressOnlyWhenPressedAndReleasedOnTheText) {
    DialogApp app;
    setUserValue(L"Software\\Wine\\WineBrowser", L"Browsers",
                 unixPath(fromUtf8(SOURCE_DIR)) + L"/tests/e2e/jre_dialog/record-url.sh");
    LauncherProcess process(app.exe(), app.options());
    HWND dialog = waitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    HWND link = GetDlgItem(dialog, kLink);
    SetForegroundWindow(dialog);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
    const RECT rect = windowRect(link);
    const int middle = (rect.top + rect.bottom) / 2;
    const POINT onText = {rect.left + 6, middle};
    // Inside the control, right of the text: the text may still be painting
    // when it first shows, so its end only bounds this from the left.
    const POINT beside = {rect.right - 3, middle};
    ASSERT_TRUE(waitUntil(
        [&] {
            const int textEnd = lastColumnOf(link, kBlue);
            return textEnd > rect.left && textEnd + 6 <= beside.x;
        },
        5000));

    // Pressed on the text, released outside it.
    mouseAt(onText.x, onText.y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(rect.left + 6, rect.bottom + 20, MOUSEEVENTF_LEFTUP);
    // Cursor handles differ between processes: compare with the cursor over
    // the plain text below the link.
    const RECT plain = windowRect(GetDlgItem(dialog, 206));
    mouseAt(plain.left + 10, (plain.top + plain.bottom) / 2, MOUSEEVENTF_MOVE);
    const HCURSOR arrow = currentCursor();
    // The launcher sets the cursor when its own queue gets to the move: the
    // hand over the text, the arrow again beside it.
    EXPECT_TRUE(hoverUntil(onText, [&] { return currentCursor() != arrow; }));
    EXPECT_TRUE(hoverUntil(beside, [&] { return currentCursor() == arrow; }));
    // A click beside the text, inside the control, does nothing: the click on
    // the text after it, through the same input queue, is the first to open.
    mouseAt(beside.x, beside.y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(beside.x, beside.y, MOUSEEVENTF_LEFTUP);
    EXPECT_GT(screenPixelsOf(link, kBlue), 30);

    mouseAt(onText.x, onText.y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(onText.x, onText.y, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(waitUntil([&] { return !readLines(app.linkLog()).empty(); }));
    EXPECT_EQ(readLines(app.linkLog()), std::vector<std::string>{ascii(kDownloadAddress)});
    mouseAt(rect.left + 6, rect.bottom + 20, MOUSEEVENTF_MOVE);
    EXPECT_TRUE(
        waitUntil([&] { return screenPixelsOf(link, kPurple) > 30 && screenPixelsOf(link, kBlue) == 0; }, 5000));
    EXPECT_FALSE(saveScreenshot(L"jre-dialog-visited-link").empty());

    // The click gave the link the focus: Space opens it again.
    pressKey(VK_SPACE);
    EXPECT_TRUE(waitUntil([&] { return readLines(app.linkLog()).size() == 2; }));

    EnableWindow(link, FALSE);
    EXPECT_TRUE(waitUntil(
        [&] { return screenPixelsOf(link, GetSysColor(COLOR_GRAYTEXT)) > 30 && screenPixelsOf(link, kPurple) == 0; },
        5000));
    mouseAt(onText.x, onText.y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(onText.x, onText.y, MOUSEEVENTF_LEFTUP);
    // Cancel, clicked through the same input queue, ends the dialog only after that click.
    const RECT cancel = windowRect(GetDlgItem(dialog, IDCANCEL));
    mouseAt((cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2, MOUSEEVENTF_LEFTDOWN);
    mouseAt((cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), kExitFailed);
    EXPECT_EQ(readLines(app.linkLog()).size(), 2u);
}

// A runtime laid out at the root of drive C:, removed again afterwards.
class RootRuntime {
public:
    RootRuntime() { copied_ = copyTree(runtimeFixture(L"full"), L"C:\\"); }
    ~RootRuntime() { removeTree(L"C:\\bin"); }
    bool copied() const { return copied_; }

private:
    bool copied_ = false;
};

TEST_F(JreDialogTest, APickedDriveRootGetsNoSecondBackslash) {
    RootRuntime runtime;
    ASSERT_TRUE(runtime.copied());
    DialogApp app;
    LauncherProcess process(app.exe(), app.options());
    HWND dialog = waitForDialog(process);
    ASSERT_NE(dialog, nullptr);
    // My Computer, opened, then its first drive.
    browseWithKeys(process, dialog, [](HWND tree) {
        ASSERT_TRUE(keyMovesSelection(tree, WM_CHAR, L'M'));
        const HTREEITEM computer = selectedItem(tree);
        ASSERT_FALSE(expanded(tree, computer));
        PostMessageW(tree, WM_KEYDOWN, VK_RIGHT, 1);
        ASSERT_TRUE(waitUntil([&] { return expanded(tree, computer); }, 5000));
        ASSERT_TRUE(keyMovesSelection(tree, WM_KEYDOWN, VK_RIGHT));
    });
    ASSERT_TRUE(showsFolder(dialog, L"C:\\", true));
    clickButton(dialog, IDOK);
    ASSERT_TRUE(process.wait(20000));
    EXPECT_EQ(process.exitCode(), 0u);
    EXPECT_TRUE(app.mainRan());
    const std::vector<std::string> expected = {"[Java Runtime Environment]", "JRE Path=C:\\"};
    EXPECT_EQ(readLines(app.userSettings()), expected);
}
