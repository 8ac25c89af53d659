#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "core/win/Scoped.h"
#include "discovery/ui/BrowserLinkColors.h"
#include "discovery/ui/HyperLinkControl.h"
#include "discovery/ui/LinkStyle.h"
#include "support/Polling.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kColorsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kPurple = RGB(128, 0, 128);
const COLORREF kRed = RGB(255, 0, 0);

// What the test parent saw from its link.
struct ParentLog {
    std::vector<WPARAM> commands;
    std::vector<NMHDR> notifications;
};
ParentLog parentLog;

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam) parentLog.commands.push_back(wParam);
    if (message == WM_NOTIFY) parentLog.notifications.push_back(*reinterpret_cast<NMHDR*>(lParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerParentClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"LinkTestParent";
    registered = RegisterClassW(&windowClass) != 0;
}

void setColorValue(const wchar_t* name, DWORD type, const std::wstring& text) {
    ScopedRegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kColorsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.receive(),
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void clearColorValues() {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kColorsKey, 0, KEY_SET_VALUE, key.receive()) != ERROR_SUCCESS) return;
    RegDeleteValueW(key.get(), L"Anchor Color");
    RegDeleteValueW(key.get(), L"Anchor Color Visited");
}

std::wstring tempFolder() {
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

int lineCount(const std::wstring& path) { return static_cast<int>(readLines(path).size()); }

// The target opens in a process of its own, which writes the line.
bool waitForLines(const std::wstring& path, int expected) {
    return waitUntil([&] { return lineCount(path) >= expected; }, 10000);
}

// Each open starts the script in a process of this one's; once none is left,
// every line an open was to write is there.
bool waitForOpensToEnd() {
    return waitUntil([] {
        ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
            if (entry.th32ParentProcessID == GetCurrentProcessId()) return false;
        }
        return static_cast<bool>(snapshot);
    }, 10000);
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Dispatches this thread's messages for `ms` (scaled), for input that should change nothing.
void pumpFor(DWORD ms) {
    waitUntil([] {
        pumpMessages();
        return false;
    }, ms);
}

LPARAM at(POINT point) { return MAKELPARAM(point.x, point.y); }

class HyperLinkControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearColorValues();
        registerParentClass();
        parentLog = ParentLog();
        parent_.reset(CreateWindowExW(0, L"LinkTestParent", L"link test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480,
                                      240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent_);
        LOGFONTW description = {};
        description.lfHeight = -16;
        wcscpy(description.lfFaceName, L"Tahoma");
        font_.reset(CreateFontIndirectW(&description));
    }

    void TearDown() override { clearColorValues(); }

    HWND createStatic(const std::wstring& text, DWORD extraStyle = 0, int width = 400, int height = 24) {
        HWND window = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | extraStyle, 10, 10, width,
                                      height, parent_.get(), reinterpret_cast<HMENU>(205), GetModuleHandleW(nullptr),
                                      nullptr);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return window;
    }

    // Renders the control as it paints itself and counts pixels of `color`.
    static int pixelsOf(HWND window, COLORREF color) {
        RECT client = {};
        GetClientRect(window, &client);
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = client.right;
        format.bmiHeader.biHeight = -client.bottom;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        ScopedGdiObject bitmap(CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        GdiFlush();
        SelectObject(dc.get(), previous);
        const DWORD wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        int count = 0;
        for (int i = 0; i < client.right * client.bottom; ++i) count += (pixels[i] & 0xFFFFFF) == wanted;
        return count;
    }

    static POINT insideLink(const HyperLinkControl& link) {
        const RECT& rect = link.linkRect();
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    static void click(HWND window, POINT down, POINT up) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(down));
        SendMessageW(window, WM_LBUTTONUP, 0, at(up));
    }

    ScopedWindow parent_;
    ScopedGdiObject font_;
};

TEST_F(HyperLinkControlTest, SetUpTurnsTheStaticIntoALinkWithTooltipAndFonts) {
    HWND window = createStatic(L"https://example.test/download");
    HyperLinkControl link;
    ASSERT_TRUE(link.attach(window));

    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & SS_NOTIFY);
    EXPECT_EQ(link.target(), L"https://example.test/download");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), font_.get());

    LOGFONTW linkFont = {};
    ASSERT_TRUE(GetObjectW(link.linkFont(), sizeof(linkFont), &linkFont));
    EXPECT_TRUE(linkFont.lfUnderline);
    EXPECT_EQ(linkFont.lfHeight, -16);
    EXPECT_NE(linkFont.lfWeight, FW_BOLD);

    // The link area is the text, not the whole static.
    const RECT& rect = link.linkRect();
    EXPECT_EQ(rect.left, 0);
    EXPECT_GT(rect.right, 50);
    EXPECT_LT(rect.right, 390);

    wchar_t className[32] = {};
    GetClassNameW(link.tooltip(), className, 32);
    EXPECT_STREQ(className, L"tooltips_class32");
    EXPECT_EQ(SendMessageW(link.tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t tipText[80] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = 1;
    tool.lpszText = tipText;
    SendMessageW(link.tooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tipText, L"https://example.test/download");

    const HWND tooltip = link.tooltip();
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(tooltip));
    EXPECT_EQ(link.window(), nullptr);
}

TEST_F(HyperLinkControlTest, NewFontRebuildsTheLinkFontAndTheLinkArea) {
    HWND window = createStatic(L"https://example.test/");
    HyperLinkControl link;
    ASSERT_TRUE(link.attach(window));
    const LONG narrowWidth = link.linkRect().right;

    LOGFONTW description = {};
    description.lfHeight = -24;
    wcscpy(description.lfFaceName, L"Tahoma");
    ScopedGdiObject bigger(CreateFontIndirectW(&description));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bigger.get()), TRUE);

    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), bigger.get());
    LOGFONTW linkFont = {};
    ASSERT_TRUE(GetObjectW(link.linkFont(), sizeof(linkFont), &linkFont));
    EXPECT_EQ(linkFont.lfHeight, -24);
    EXPECT_TRUE(linkFont.lfUnderline);
    EXPECT_GT(link.linkRect().right, narrowWidth);
}

TEST_F(HyperLinkControlTest, StyleBitsShapeTheLinkFont) {
    struct Case {
        uint32_t style;
        bool underline;
        bool bold;
    };
    for (const Case& c : {Case{0, true, false}, Case{LinkStyleNoUnderline, false, false},
                          Case{LinkStyleTagsBold, true, false}, Case{LinkStyleTags | LinkStyleTagsBold, false, true}}) {
        HyperLinkControl link(kBlue, kPurple, c.style);
        ASSERT_TRUE(link.attach(createStatic(L"<a>x</a>")));
        LOGFONTW linkFont = {};
        ASSERT_TRUE(GetObjectW(link.linkFont(), sizeof(linkFont), &linkFont));
        EXPECT_EQ(linkFont.lfUnderline != 0, c.underline) << c.style;
        EXPECT_EQ(linkFont.lfWeight == FW_BOLD, c.bold) << c.style;
    }
}

TEST_F(HyperLinkControlTest, LinkAreaFollowsTagsAlignmentAndLineStyle) {
    HyperLinkControl whole;
    ASSERT_TRUE(whole.attach(createStatic(L"Get it here now")));
    HyperLinkControl tagged(kBlue, kPurple, LinkStyleTags);
    ASSERT_TRUE(tagged.attach(createStatic(L"Get it <a>here</a> now")));
    EXPECT_GT(tagged.linkRect().left, 20);
    EXPECT_LT(tagged.linkRect().right, whole.linkRect().right);
    EXPECT_LT(tagged.linkRect().right - tagged.linkRect().left, whole.linkRect().right / 2);

    HyperLinkControl untagged(kBlue, kPurple, LinkStyleTags);
    ASSERT_TRUE(untagged.attach(createStatic(L"no link at all")));
    EXPECT_EQ(untagged.linkRect().right - untagged.linkRect().left, 0);

    HyperLinkControl centred;
    ASSERT_TRUE(centred.attach(createStatic(L"Get it here now", SS_CENTER)));
    const LONG freeWidth = 400 - whole.linkRect().right;
    EXPECT_NEAR(centred.linkRect().left, freeWidth / 2, 1);
    HyperLinkControl right;
    ASSERT_TRUE(right.attach(createStatic(L"Get it here now", SS_RIGHT)));
    EXPECT_EQ(right.linkRect().right, 400);

    const std::wstring longText = L"one two three four five six seven eight";
    HyperLinkControl wrapped;
    ASSERT_TRUE(wrapped.attach(createStatic(longText, 0, 120, 200)));
    HyperLinkControl singleLine(kBlue, kPurple, LinkStyleSingleLine);
    ASSERT_TRUE(singleLine.attach(createStatic(longText, 0, 120, 200)));
    const LONG lineHeight = singleLine.linkRect().bottom - singleLine.linkRect().top;
    EXPECT_GT(lineHeight, 10);
    EXPECT_GT(wrapped.linkRect().bottom - wrapped.linkRect().top, 2 * lineHeight);
    // Wider than the control: only the visible part reacts.
    EXPECT_EQ(singleLine.linkRect().right, 120);
}

TEST_F(HyperLinkControlTest, BrowserColorValuesAreValidated) {
    struct Case {
        DWORD type;
        std::wstring value;
        COLORREF expected;
    };
    const std::vector<Case> cases = {
        {REG_SZ, L"255,0,0", kRed},           {REG_EXPAND_SZ, L"0,128,0", RGB(0, 128, 0)},
        {REG_SZ, L"255,0", kBlue},            {REG_SZ, L"255,255,2555", kBlue},
        {REG_SZ, L"-1,0,0", kBlue},           {REG_SZ, L"1,2,", kBlue},
        {REG_MULTI_SZ, L"255,0,0", kBlue},    {REG_BINARY, L"255,0,0", kBlue},
    };
    for (const Case& c : cases) {
        setColorValue(L"Anchor Color", c.type, c.value);
        HyperLinkControl link;
        ASSERT_TRUE(link.attach(createStatic(L"x")));
        EXPECT_EQ(link.linkColor(), c.expected) << std::string(c.value.begin(), c.value.end()) << " type " << c.type;
        EXPECT_EQ(link.visitedColor(), kPurple);
    }

    ScopedRegistryKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kColorsKey, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, key.receive()),
              ERROR_SUCCESS);
    const DWORD number = 0x0000FF;
    RegSetValueExW(key.get(), L"Anchor Color Visited", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
    COLORREF color = kPurple;
    EXPECT_FALSE(readAnchorColorValue(key.get(), L"Anchor Color Visited", color));
    // Twelve characters stored without a terminator still fill the buffer exactly.
    const wchar_t unterminated[] = L"0,0,25500000";
    RegSetValueExW(key.get(), L"Anchor Color Visited", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                   12 * sizeof(wchar_t));
    EXPECT_FALSE(readAnchorColorValue(key.get(), L"Anchor Color Visited", color));
    const wchar_t shortUnterminated[] = L"0,255,0";
    RegSetValueExW(key.get(), L"Anchor Color Visited", 0, REG_SZ, reinterpret_cast<const BYTE*>(shortUnterminated),
                   7 * sizeof(wchar_t));
    EXPECT_TRUE(readAnchorColorValue(key.get(), L"Anchor Color Visited", color));
    EXPECT_EQ(color, RGB(0, 255, 0));
}

TEST_F(HyperLinkControlTest, PaintsInLinkColorsAndGreyWhenDisabled) {
    setColorValue(L"Anchor Color", REG_SZ, L"255,0,0");
    HyperLinkControl red;
    ASSERT_TRUE(red.attach(createStatic(L"https://example.test/")));
    EXPECT_GT(pixelsOf(red.window(), kRed), 20);
    clearColorValues();

    HyperLinkControl link;
    HWND window = createStatic(L"https://example.test/");
    ASSERT_TRUE(link.attach(window));
    EXPECT_GT(pixelsOf(window, kBlue), 20);
    EXPECT_EQ(pixelsOf(window, GetSysColor(COLOR_BTNFACE)) > 0, true);  // the parent's static brush

    EnableWindow(window, FALSE);
    EXPECT_EQ(pixelsOf(window, kBlue), 0);
    EXPECT_GT(pixelsOf(window, GetSysColor(COLOR_GRAYTEXT)), 20);
}

TEST_F(HyperLinkControlTest, CommandStylesNotifyTheParentInsteadOfOpening) {
    HyperLinkControl command(kBlue, kPurple, LinkStyleCommand);
    HWND window = createStatic(L"do it");
    ASSERT_TRUE(command.attach(window));
    click(window, insideLink(command), insideLink(command));
    ASSERT_EQ(parentLog.commands.size(), 1u);
    EXPECT_EQ(parentLog.commands[0], MAKEWPARAM(205, 0));
    EXPECT_FALSE(command.visited());

    HyperLinkControl notify(kBlue, kPurple, LinkStyleCommand | LinkStyleNotify);
    window = createStatic(L"do it");
    ASSERT_TRUE(notify.attach(window));
    SendMessageW(window, WM_CHAR, L' ', 0);
    ASSERT_EQ(parentLog.notifications.size(), 1u);
    EXPECT_EQ(parentLog.notifications[0].hwndFrom, window);
    EXPECT_EQ(parentLog.notifications[0].idFrom, 205u);
    EXPECT_EQ(parentLog.notifications[0].code, static_cast<UINT>(NM_CLICK));
    EXPECT_EQ(parentLog.commands.size(), 1u);
}

// Opens a batch file that appends a line to a log for every open.
class HyperLinkOpenTest : public HyperLinkControlTest {
protected:
    void SetUp() override {
        HyperLinkControlTest::SetUp();
        const std::wstring folder = tempFolder();
        log_ = folder + L"link_opened.log";
        script_ = folder + L"link_open.bat";
        DeleteFileW(log_.c_str());
        const std::string line = "@echo opened>>\"" + std::string(log_.begin(), log_.end()) + "\"\r\n";
        ScopedFile script(CreateFileW(script_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(script.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr));
    }
    void TearDown() override {
        DeleteFileW(log_.c_str());
        DeleteFileW(script_.c_str());
        HyperLinkControlTest::TearDown();
    }

    std::wstring log_;
    std::wstring script_;
};

TEST_F(HyperLinkOpenTest, OnlyAClickOnTheTextOpensTheTargetAndMarksItVisited) {
    HWND window = createStatic(script_, 0, 440, 24);
    HyperLinkControl link;
    ASSERT_TRUE(link.attach(window));
    ASSERT_LT(link.linkRect().right, 430) << "room beside the text is needed";
    const POINT beside = {link.linkRect().right + 5, 5};

    // Pressed on the link, released beside it.
    click(window, insideLink(link), beside);
    EXPECT_EQ(GetCapture(), nullptr);
    // Clicked beside the text.
    click(window, beside, beside);
    EXPECT_FALSE(link.visited());
    EXPECT_GT(pixelsOf(window, kBlue), 20);

    click(window, insideLink(link), insideLink(link));
    EXPECT_TRUE(link.visited());
    EXPECT_EQ(GetFocus(), window);
    EXPECT_TRUE(waitForLines(log_, 1));
    EXPECT_EQ(pixelsOf(window, kBlue), 0);
    EXPECT_GT(pixelsOf(window, kPurple), 20);

    // The focus the click gave lets Space and Enter open it again; other keys do nothing.
    SendMessageW(window, WM_CHAR, L'a', 0);
    SendMessageW(window, WM_CHAR, L' ', 0);
    EXPECT_TRUE(waitForLines(log_, 2));
    MSG enter = {window, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTCHARS | DLGC_WANTMESSAGE);
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS);
    SendMessageW(window, WM_CHAR, L'\r', 0);
    EXPECT_TRUE(waitForLines(log_, 3));
    ASSERT_TRUE(waitForOpensToEnd());
    EXPECT_EQ(lineCount(log_), 3);
}

// Real mouse input through the system: a disabled window gets none at all.
TEST_F(HyperLinkOpenTest, RealClickOpensAndADisabledLinkIgnoresIt) {
    const auto realClick = [this](const HyperLinkControl& link) {
        POINT screen = insideLink(link);
        ClientToScreen(link.window(), &screen);
        SetForegroundWindow(parent_.get());
        SetCursorPos(screen.x, screen.y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
    };

    HyperLinkControl disabled;
    ASSERT_TRUE(disabled.attach(createStatic(script_, 0, 440, 24)));
    EnableWindow(disabled.window(), FALSE);
    realClick(disabled);
    pumpFor(500);
    EXPECT_FALSE(disabled.visited());
    ASSERT_TRUE(waitForOpensToEnd());
    EXPECT_EQ(lineCount(log_), 0);
    DestroyWindow(disabled.window());

    HyperLinkControl enabled;
    ASSERT_TRUE(enabled.attach(createStatic(script_, 0, 440, 24)));
    realClick(enabled);
    EXPECT_TRUE(waitUntil(
        [&] {
            pumpMessages();
            return enabled.visited();
        },
        5000));
    EXPECT_TRUE(waitForLines(log_, 1));
}

}  // namespace
