#include "core/win/DialogAnchor.h"

namespace {

constexpr DWORD sizeGripStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;

bool clientRectOf(HWND dialog, HWND control, RECT& rect) {
    if (!GetWindowRect(control, &rect)) return false;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

// Given the whole client rectangle, the scroll bar shrinks itself to the
// system's size-box size in the bottom-right corner.
HWND createSizeGrip(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    return CreateWindowExW(0, L"SCROLLBAR", nullptr, sizeGripStyle, client.left, client.top,
                           client.right - client.left, client.bottom - client.top, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(sizeGripId)), instance, nullptr);
}

}  // namespace

RECT anchoredRect(const DialogAnchor& anchor, int dx, int dy) {
    RECT rect = anchor.rect;
    if (anchor.flags & AnchorFlag::SizeX) rect.right += dx;
    if (anchor.flags & AnchorFlag::SizeY) rect.bottom += dy;
    if (anchor.flags & AnchorFlag::MoveX) {
        rect.left += dx;
        rect.right += dx;
    }
    if (anchor.flags & AnchorFlag::MoveY) {
        rect.top += dy;
        rect.bottom += dy;
    }
    return rect;
}

void DialogResizer::init(HWND dialog, const std::vector<Rule>& rules) {
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) SetWindowLongPtrW(dialog, GWL_STYLE, style | WS_CLIPCHILDREN);

    // A resizable top-level dialog shows no caption icon.
    if (!(style & WS_CHILD)) {
        LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
        SetWindowLongPtrW(dialog, GWL_EXSTYLE, exStyle | WS_EX_DLGMODALFRAME);
        if (!SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)) SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0);
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    RECT client;
    GetClientRect(dialog, &client);
    reference_ = {client.right - client.left, client.bottom - client.top};

    if (!GetDlgItem(dialog, sizeGripId) && createSizeGrip(dialog)) {
        gripPresent_ = true;
        record(dialog, sizeGripId, AnchorFlag::MoveX | AnchorFlag::MoveY | AnchorFlag::Repaint | AnchorFlag::Grip);
    }

    RECT outer;
    GetWindowRect(dialog, &outer);
    minimum_ = {outer.right - outer.left, outer.bottom - outer.top};

    for (const Rule& rule : rules) record(dialog, rule.controlId, rule.flags);
}

void DialogResizer::record(HWND dialog, int controlId, uint32_t flags) {
    HWND control = GetDlgItem(dialog, controlId);
    RECT rect;
    if (!control || !clientRectOf(dialog, control, rect)) return;
    anchors_.push_back({static_cast<uint32_t>(controlId), flags, rect});
}

void DialogResizer::onSize(HWND dialog, UINT sizeType, int clientWidth, int clientHeight) const {
    if (gripPresent_) {
        HWND grip = GetDlgItem(dialog, sizeGripId);
        if (sizeType == SIZE_MAXIMIZED) ShowWindow(grip, SW_HIDE);
        if (sizeType == SIZE_RESTORED) ShowWindow(grip, SW_SHOW);
    }
    if (sizeType == SIZE_MINIMIZED) return;
    layout(dialog, clientWidth - reference_.cx, clientHeight - reference_.cy);
}

void DialogResizer::layout(HWND dialog, int dx, int dy) const {
    // Moving controls one by one would flicker; paint once at the end instead.
    bool visible = IsWindowVisible(dialog);
    if (visible) SendMessageW(dialog, WM_SETREDRAW, FALSE, 0);

    for (const DialogAnchor& anchor : anchors_) {
        HWND control = GetDlgItem(dialog, static_cast<int>(anchor.controlId));
        if (!control) continue;
        RECT rect = anchoredRect(anchor, dx, dy);
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (anchor.flags & AnchorFlag::Repaint) InvalidateRect(control, nullptr, TRUE);
    }

    if (visible) {
        SendMessageW(dialog, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void DialogResizer::onGetMinMaxInfo(MINMAXINFO& info) const {
    if (minimum_.cx < 0) return;
    info.ptMinTrackSize.x = minimum_.cx;
    info.ptMinTrackSize.y = minimum_.cy;
}
