#include "Utf.h"

#include <cstdint>

bool utf8ToUtf16(const std::string& text, std::u16string& wide) {
    wide.clear();
    for (size_t at = 0; at < text.size();) {
        uint8_t lead = static_cast<uint8_t>(text[at]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || at + length > text.size()) return false;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t index = 1; index < length; ++index) {
            uint8_t next = static_cast<uint8_t>(text[at + index]);
            if ((next >> 6) != 2) return false;
            code = code << 6 | (next & 0x3F);
        }
        const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        if (code >= 0x10000) {
            wide.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<char16_t>(code));
        }
        at += length;
    }
    return true;
}

std::string utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t at = 0; at < text.size(); ++at) {
        uint32_t code = text[at];
        if (code >= 0xD800 && code < 0xDC00 && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++at] - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
