#include "discovery/ui/LinkStyle.h"

LinkClickAction linkClickAction(uint32_t style) {
    if (!hasStyle(style, LinkStyleCommand)) return LinkClickAction::OpenTarget;
    return hasStyle(style, LinkStyleNotify) ? LinkClickAction::SendNotify : LinkClickAction::SendCommand;
}

bool linkFontIsBold(uint32_t style) { return hasStyle(style, LinkStyleTags | LinkStyleTagsBold); }

bool linkFontForcesUnderline(uint32_t style) {
    return !linkFontIsBold(style) && !hasStyle(style, LinkStyleNoUnderline);
}

bool drawsWithLinkFont(uint32_t style, bool hovering, bool hasLinkFont) {
    if (!hasLinkFont) return false;
    return hovering || !hasStyle(style, LinkStyleHoverUnderline);
}

bool isNonTextStaticType(uint32_t staticType) {
    return (staticType >= 3 && staticType <= 9) || (staticType >= 13 && staticType <= 15);
}
