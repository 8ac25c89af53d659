#include "discovery/ui/HyperLinkControl.h"

#include <commctrl.h>
#include <cstddef>
#include <windowsx.h>

#include "core/SettingsRules.h"
#include "core/win/GdiScopes.h"
#include "discovery/ui/BrowserLinkColors.h"
#include "discovery/ui/LinkStyle.h"
#include "discovery/ui/LinkTags.h"
#include "discovery/ui/ShellFunctions.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kToolId = 1;
// Windows before Vista reject the record that carries lpReserved.
constexpr UINT kToolRecordSizeBeforeVista = offsetof(TTTOOLINFOW, lpReserved);
static_assert(sizeof(void*) != 4 || kToolRecordSizeBeforeVista == 44, "tool record layout before Vista");

UINT toolRecordSize() {
    const DWORD majorVersion = LOBYTE(LOWORD(GetVersion()));
    return majorVersion >= 6 ? sizeof(TTTOOLINFOW) : kToolRecordSizeBeforeVista;
}

// The record that names the link's one tool to its tooltip.
TTTOOLINFOW toolRecord(HWND window) {
    TTTOOLINFOW tool = {};
    tool.cbSize = toolRecordSize();
    tool.hwnd = window;
    tool.uId = kToolId;
    return tool;
}

bool isStaticClass(HWND window) {
    wchar_t name[9] = {};
    GetClassNameW(window, name, 9);
    return equalsAnyCase(name, L"static");
}

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

int width(const RECT& rect) { return rect.right - rect.left; }

}  // namespace

HyperLinkControl::HyperLinkControl(COLORREF linkColor, COLORREF visitedColor, uint32_t style)
    : linkColor_(linkColor), visitedColor_(visitedColor), style_(style) {}

HyperLinkControl::~HyperLinkControl() {
    if (window_) commonControls_.removeWindowSubclass(window_, subclassProc, kSubclassId);
}

bool HyperLinkControl::attach(HWND window) {
    if (window_ || !window) return false;
    // Read before subclassing: afterwards the font query answers from this object.
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!commonControls_.setWindowSubclass(window, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    normalFont_ = font;
    setUp();
    return true;
}

void HyperLinkControl::setUp() {
    isStatic_ = isStaticClass(window_);
    if (isStatic_) {
        const LONG_PTR windowStyle = GetWindowLongPtrW(window_, GWL_STYLE);
        SetWindowLongPtrW(window_, GWL_STYLE, windowStyle | SS_NOTIFY);
        if (isNonTextStaticType(static_cast<uint32_t>(windowStyle & SS_TYPEMASK))) paintLabel_ = false;
    }
    cursor_ = LoadCursorW(nullptr, IDC_HAND);
    if (paintLabel_) {
        if (!normalFont_) {
            LOGFONTW description = {};
            if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(description), &description, 0)) {
                ownedNormalFont_.reset(CreateFontIndirectW(&description));
                normalFont_ = static_cast<HFONT>(ownedNormalFont_.get());
            }
        }
        if (!linkFont_) createLinkFont();
    }
    createTooltip();
    if (label_.empty()) {
        const int length = GetWindowTextLengthW(window_);
        if (length > 0) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            text.resize(static_cast<size_t>(GetWindowTextW(window_, &text[0], length + 1)));
            label_ = text;
        }
    }
    computeLinkRect();
    if (!target_.empty() || hasStyle(style_, LinkStyleCommand)) {
        registerTool();
    } else if (!label_.empty()) {
        setTarget(label_);
    }
    if (paintLabel_) readBrowserLinkColors(linkColor_, visitedColor_);
}

void HyperLinkControl::setTarget(const std::wstring& target) {
    target_ = target;
    if (label_.empty()) computeLinkRect();
    registerTool();
}

void HyperLinkControl::createLinkFont() {
    LOGFONTW description = {};
    const HGDIOBJ base = normalFont_ ? static_cast<HGDIOBJ>(normalFont_) : GetStockObject(SYSTEM_FONT);
    if (!GetObjectW(base, sizeof(description), &description)) return;
    if (linkFontIsBold(style_)) {
        description.lfWeight = FW_BOLD;
    } else if (linkFontForcesUnderline(style_)) {
        description.lfUnderline = TRUE;
    }
    linkFont_.reset(CreateFontIndirectW(&description));
}

void HyperLinkControl::createTooltip() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    commonControls_.initialize(ICC_TAB_CLASSES);
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   instance, nullptr));
}

void HyperLinkControl::registerTool() {
    if (!window_ || !tooltip_) return;
    TTTOOLINFOW tool = toolRecord(window_);
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.rect = linkRect_;
    tool.lpszText = const_cast<wchar_t*>(target_.c_str());
    SendMessageW(tooltip_.get(), TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

const std::wstring& HyperLinkControl::shownText() const { return label_.empty() ? target_ : label_; }

UINT HyperLinkControl::textFormat() const {
    UINT format = DT_NOPREFIX | (hasStyle(style_, LinkStyleSingleLine) ? DT_SINGLELINE : DT_WORDBREAK);
    if (!isStatic_ || hasStyle(style_, LinkStyleTags)) return format | DT_LEFT;
    switch (GetWindowLongPtrW(window_, GWL_STYLE) & SS_TYPEMASK) {
    case SS_CENTER: return format | DT_CENTER;
    case SS_RIGHT: return format | DT_RIGHT;
    default: return format | DT_LEFT;
    }
}

void HyperLinkControl::computeLinkRect() {
    if (!window_ || shownText().empty()) return;
    RECT client = {};
    GetClientRect(window_, &client);
    linkRect_ = client;
    if (paintLabel_) {
        ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        if (!dc) return;
        const HFONT drawFont = linkFont_ ? linkFont() : normalFont_;
        const UINT format = textFormat() | DT_CALCRECT;
        if (hasStyle(style_, LinkStyleTags)) {
            const LinkTextParts parts = splitLinkTags(shownText());
            RECT measured = client;
            if (!parts.prefix.empty()) {
                SelectObject(dc.get(), normalFont_);
                DrawTextW(dc.get(), parts.prefix.c_str(), -1, &measured, format);
                measured.left = measured.right;
            }
            measured.top = client.top;
            measured.right = client.right;
            measured.bottom = client.bottom;
            SelectObject(dc.get(), drawFont);
            DrawTextW(dc.get(), parts.link.c_str(), -1, &measured, format);
            linkRect_ = measured;
        } else {
            RECT measured = client;
            SelectObject(dc.get(), drawFont);
            DrawTextW(dc.get(), shownText().c_str(), -1, &measured, format);
            const int freeWidth = width(client) - width(measured);
            if (format & DT_CENTER) OffsetRect(&measured, freeWidth / 2, 0);
            if (format & DT_RIGHT) OffsetRect(&measured, freeWidth, 0);
            linkRect_ = measured;
        }
        // Text wider than the control is clipped; so is the area that reacts to it.
        IntersectRect(&linkRect_, &linkRect_, &client);
    }
    if (tooltip_) {
        TTTOOLINFOW tool = toolRecord(window_);
        tool.rect = linkRect_;
        SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool HyperLinkControl::isActiveAt(POINT point) const {
    return PtInRect(&linkRect_, point) && (!target_.empty() || hasStyle(style_, LinkStyleCommand));
}

bool HyperLinkControl::navigate() {
    if (!window_) return false;
    const HWND parent = GetParent(window_);
    const int id = GetDlgCtrlID(window_);
    switch (linkClickAction(style_)) {
    case LinkClickAction::SendNotify: {
        NMHDR header = {window_, static_cast<UINT_PTR>(id), static_cast<UINT>(NM_CLICK)};
        SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
        return true;
    }
    case LinkClickAction::SendCommand:
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(window_));
        return true;
    case LinkClickAction::OpenTarget:
        break;
    }
    // An empty target would make the shell open the current folder.
    const ShellFunctions* shell = ShellFunctions::load();
    if (target_.empty() || !shell) return false;
    const INT_PTR result = reinterpret_cast<INT_PTR>(
        shell->shellExecute(parent, L"open", target_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) return false;
    visited_ = true;
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

void HyperLinkControl::paint(HDC dc) {
    RECT client = {};
    GetClientRect(window_, &client);
    const HBRUSH background = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(window_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)));
    if (background) FillRect(dc, &client, background);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF surroundingColor = GetTextColor(dc);
    const COLORREF color = !IsWindowEnabled(window_) ? GetSysColor(COLOR_GRAYTEXT)
                           : visited_                ? visitedColor_
                                                     : linkColor_;
    const HFONT font = drawsWithLinkFont(style_, hovering_, linkFont_.get() != nullptr) ? linkFont() : normalFont_;
    const HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);
    const UINT format = textFormat();

    if (hasStyle(style_, LinkStyleTags)) {
        const LinkTextParts parts = splitLinkTags(shownText());
        RECT area = client;
        SelectObject(dc, normalFont_);
        DrawTextW(dc, parts.prefix.c_str(), -1, &area, format);
        area = linkRect_;
        SelectObject(dc, font);
        SetTextColor(dc, color);
        DrawTextW(dc, parts.link.c_str(), -1, &area, format);
        area = RECT{linkRect_.right, linkRect_.top, client.right, client.bottom};
        SelectObject(dc, normalFont_);
        SetTextColor(dc, surroundingColor);
        DrawTextW(dc, parts.suffix.c_str(), -1, &area, format);
    } else {
        RECT area = linkRect_;
        SelectObject(dc, font);
        SetTextColor(dc, color);
        DrawTextW(dc, shownText().c_str(), -1, &area, format);
    }
    if (GetFocus() == window_) DrawFocusRect(dc, &linkRect_);
    SelectObject(dc, previousFont);
}

void HyperLinkControl::relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD position = GetMessagePos();
    MSG relayed = {window_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
                   POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void HyperLinkControl::onMouseMove(POINT point) {
    if (!isActiveAt(point)) {
        leaveHover();
        return;
    }
    SetCursor(cursor_);
    if (hasStyle(style_, LinkStyleHoverUnderline) && !hovering_) {
        hovering_ = true;
        InvalidateRect(window_, nullptr, TRUE);
        TRACKMOUSEEVENT tracking = {sizeof(tracking), TME_LEAVE, window_, 0};
        TrackMouseEvent(&tracking);
    }
}

void HyperLinkControl::leaveHover() {
    if (!hasStyle(style_, LinkStyleHoverUnderline) || !hovering_) return;
    hovering_ = false;
    InvalidateRect(window_, nullptr, TRUE);
}

void HyperLinkControl::onSetFont(HFONT font, bool redraw) {
    ownedNormalFont_.reset();
    normalFont_ = font;
    if (linkFont_ || hasStyle(style_, LinkStyleAutoFont)) createLinkFont();
    computeLinkRect();
    if (redraw) repaintNow();
}

void HyperLinkControl::repaintNow() { RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

LRESULT HyperLinkControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && tooltip_ && !hasStyle(style_, LinkStyleNoTipRelay)) {
        relayToTooltip(message, wParam, lParam);
    }
    handled = true;
    switch (message) {
    case WM_MOUSEMOVE:
        onMouseMove(pointOf(lParam));
        handled = false;
        return 0;
    case WM_MOUSELEAVE:
        leaveHover();
        return 0;
    case WM_SETCURSOR: {
        POINT point = {};
        GetCursorPos(&point);
        ScreenToClient(window_, &point);
        if (isActiveAt(point)) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN:
        if (isActiveAt(pointOf(lParam))) {
            SetFocus(window_);
            SetCapture(window_);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == window_) {
            ReleaseCapture();
            if (isActiveAt(pointOf(lParam))) navigate();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == L' ') navigate();
        return 0;
    case WM_GETDLGCODE: {
        // Enter would otherwise press the dialog's default button.
        const MSG* pending = reinterpret_cast<const MSG*>(lParam);
        const bool enterKey = pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN;
        return DLGC_WANTCHARS | (enterKey ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (paintLabel_) InvalidateRect(window_, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        repaintNow();
        return 0;
    case WM_SIZE:
        computeLinkRect();
        InvalidateRect(window_, nullptr, TRUE);
        break;
    case WM_SETFONT:
        onSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(normalFont_);
    case WM_UPDATEUISTATE:
        return 0;
    case WM_ERASEBKGND:
        if (paintLabel_) return 1;
        break;
    case WM_PAINT:
        if (!paintLabel_) break;
        if (wParam) {
            paint(reinterpret_cast<HDC>(wParam));
        } else {
            PaintCycle cycle(window_);
            paint(cycle.get());
        }
        return 0;
    case WM_PRINTCLIENT:
        if (!paintLabel_) break;
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        // The tooltip is owned by the dialog too, which may have destroyed it already.
        if (!IsWindow(tooltip_.get())) tooltip_.release();
        tooltip_.reset();
        linkFont_.reset();
        ownedNormalFont_.reset();
        normalFont_ = nullptr;
        break;
    default:
        break;
    }
    handled = false;
    return 0;
}

LRESULT CALLBACK HyperLinkControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    HyperLinkControl* control = reinterpret_cast<HyperLinkControl*>(self);
    bool handled = false;
    const LRESULT result = control->handleMessage(message, wParam, lParam, handled);
    if (handled) return result;
    if (message == WM_NCDESTROY) {
        control->commonControls_.removeWindowSubclass(window, subclassProc, kSubclassId);
        control->window_ = nullptr;
    }
    return control->commonControls_.defSubclassProc(window, message, wParam, lParam);
}
