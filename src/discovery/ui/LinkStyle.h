// Extended style bits of the hyperlink control and the choices they make.
#pragma once

#include <cstdint>

enum LinkStyleBits : uint32_t {
    LinkStyleNoUnderline = 0x001,
    LinkStyleHoverUnderline = 0x002,
    LinkStyleCommand = 0x004,
    LinkStyleNotify = 0x008,
    LinkStyleTags = 0x010,
    LinkStyleTagsBold = 0x020,
    LinkStyleNoTipRelay = 0x040,
    LinkStyleAutoFont = 0x080,
    LinkStyleSingleLine = 0x100,
};

enum class LinkClickAction { OpenTarget, SendCommand, SendNotify };

inline bool hasStyle(uint32_t style, uint32_t bits) { return (style & bits) == bits; }

LinkClickAction linkClickAction(uint32_t style);

// Bold link text replaces the underline only when tags mark the link.
bool linkFontIsBold(uint32_t style);
bool linkFontForcesUnderline(uint32_t style);

// Whether the link part is drawn in the link font at this moment.
bool drawsWithLinkFont(uint32_t style, bool hovering, bool hasLinkFont);

// Icons, bitmaps, frames and etched lines carry no text to draw as a link.
bool isNonTextStaticType(uint32_t staticType);
