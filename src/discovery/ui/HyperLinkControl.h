// Turns a static text control into a link: link colours and font, hand
// cursor, tooltip, keyboard focus, and the shell's "open" on a click.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/win/Scoped.h"
#include "discovery/ui/CommonControls.h"

class HyperLinkControl {
public:
    explicit HyperLinkControl(COLORREF linkColor = RGB(0, 0, 255), COLORREF visitedColor = RGB(128, 0, 128),
                              uint32_t style = 0);
    ~HyperLinkControl();
    HyperLinkControl(const HyperLinkControl&) = delete;
    HyperLinkControl& operator=(const HyperLinkControl&) = delete;

    // Subclasses `window`; the window text becomes the label and, unless a
    // target was set before, the target.
    bool attach(HWND window);
    void setTarget(const std::wstring& target);
    // The click action; false when the shell could not open the target.
    bool navigate();

    HWND window() const { return window_; }
    HWND tooltip() const { return tooltip_.get(); }
    const RECT& linkRect() const { return linkRect_; }
    const std::wstring& target() const { return target_; }
    COLORREF linkColor() const { return linkColor_; }
    COLORREF visitedColor() const { return visitedColor_; }
    HFONT linkFont() const { return static_cast<HFONT>(linkFont_.get()); }
    HFONT normalFont() const { return normalFont_; }
    bool visited() const { return visited_; }

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    void setUp();
    void createLinkFont();
    void createTooltip();
    void registerTool();
    void computeLinkRect();
    UINT textFormat() const;
    const std::wstring& shownText() const;
    bool isActiveAt(POINT point) const;
    void paint(HDC dc);
    void relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    void onMouseMove(POINT point);
    void leaveHover();
    void onSetFont(HFONT font, bool redraw);
    void repaintNow();

    // First, so that it is released last.
    CommonControls commonControls_;
    HWND window_ = nullptr;
    std::wstring label_;
    std::wstring target_;
    HFONT normalFont_ = nullptr;
    ScopedGdiObject ownedNormalFont_;
    ScopedGdiObject linkFont_;
    HCURSOR cursor_ = nullptr;
    RECT linkRect_ = {};
    ScopedWindow tooltip_;
    COLORREF linkColor_;
    COLORREF visitedColor_;
    uint32_t style_;
    bool isStatic_ = false;
    bool paintLabel_ = true;
    bool visited_ = false;
    bool hovering_ = false;
};
