// Keeps the controls of a resizable dialog attached to its edges: each
// control is recorded once with its rectangle and flags, and every new size
// is laid out from those recorded rectangles.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace AnchorFlag {
constexpr uint32_t SizeX = 0x1;  // right edge follows the dialog's width
constexpr uint32_t SizeY = 0x2;  // bottom edge follows the dialog's height
constexpr uint32_t MoveX = 0x4;  // whole control follows the right edge
constexpr uint32_t MoveY = 0x8;  // whole control follows the bottom edge
constexpr uint32_t Repaint = 0x10;
constexpr uint32_t Grip = 0x4000;
}  // namespace AnchorFlag

struct DialogAnchor {
    uint32_t controlId;
    uint32_t flags;
    RECT rect;  // in the dialog's client coordinates when recorded
};

// The rectangle of a recorded control after the dialog's client area has
// changed by (dx, dy) from the reference size.
RECT anchoredRect(const DialogAnchor& anchor, int dx, int dy);

constexpr int sizeGripId = 0xE801;

class DialogResizer {
public:
    struct Rule {
        int controlId;
        uint32_t flags;
    };

    // From WM_INITDIALOG, once the dialog has its initial size.
    void init(HWND dialog, const std::vector<Rule>& rules);
    void onSize(HWND dialog, UINT sizeType, int clientWidth, int clientHeight) const;
    void onGetMinMaxInfo(MINMAXINFO& info) const;

    bool gripPresent() const { return gripPresent_; }

private:
    void record(HWND dialog, int controlId, uint32_t flags);
    void layout(HWND dialog, int dx, int dy) const;

    std::vector<DialogAnchor> anchors_;
    SIZE reference_ = {0, 0};
    SIZE minimum_ = {-1, -1};
    bool gripPresent_ = false;
};
