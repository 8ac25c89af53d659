#include "core/win/CenterWindow.h"

namespace {

// One axis of the placement: centred on the reference, then pushed back inside the area.
LONG placeOnAxis(LONG referenceStart, LONG referenceEnd, LONG size, LONG areaStart, LONG areaEnd) {
    LONG start = (referenceStart + referenceEnd) / 2 - size / 2;
    if (start + size > areaEnd) start = areaEnd - size;
    if (start < areaStart) start = areaStart;
    return start;
}

}  // namespace

void centerWindow(HWND window) {
    RECT windowRect;
    if (!GetWindowRect(window, &windowRect)) return;

    HWND owner = GetWindow(window, GW_OWNER);
    bool useOwner = owner && IsWindowVisible(owner) && !IsIconic(owner);

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    HMONITOR handle = MonitorFromWindow(useOwner ? owner : window, MONITOR_DEFAULTTONEAREST);
    if (!handle || !GetMonitorInfoW(handle, &monitor)) return;

    RECT reference = monitor.rcWork;
    if (useOwner) GetWindowRect(owner, &reference);

    const RECT& area = monitor.rcWork;
    LONG width = windowRect.right - windowRect.left;
    LONG height = windowRect.bottom - windowRect.top;
    LONG left = placeOnAxis(reference.left, reference.right, width, area.left, area.right);
    LONG top = placeOnAxis(reference.top, reference.bottom, height, area.top, area.bottom);
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
