#include "hosting/ModifiedUtf8.h"

#include <cstdint>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::wstring decodeModifiedUtf8(const char* bytes, size_t length) {
    std::wstring text;
    text.reserve(length);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length) {
        unsigned char lead = in[i];
        if (lead < 0x80) {
            text += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        size_t count = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        bool complete = count != 0 && i + count <= length;
        for (size_t k = 1; complete && k < count; ++k) complete = isContinuation(in[i + k]);
        if (!complete) {
            text += kReplacement;
            ++i;
            continue;
        }
        uint32_t code = count == 2 ? lead & 0x1F : count == 3 ? lead & 0x0F : lead & 0x07;
        for (size_t k = 1; k < count; ++k) code = (code << 6) | (in[i + k] & 0x3F);
        i += count;
        // C0 80 is how the JVM writes U+0000; other overlong forms are malformed.
        bool overlong = (count == 2 && code < 0x80 && code != 0) || (count == 3 && code < 0x800) ||
                        (count == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF) {
            text += kReplacement;
        } else if (code >= 0x10000) {
            code -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (code >> 10));
            text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<wchar_t>(code);
        }
    }
    return text;
}

std::string encodeModifiedUtf8(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t unit : text) {
        const uint32_t code = static_cast<uint16_t>(unit);
        if (code != 0 && code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xC0 | (code >> 6));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (code >> 12));
            bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}
