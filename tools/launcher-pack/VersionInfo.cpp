#include "VersionInfo.h"

#include <cstdio>

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr uint32_t kFixedStructVersion = 0x00010000;
constexpr uint32_t kFlagsMask = 0x3F;
constexpr uint32_t kWindowsNt32 = 0x00040004;
constexpr uint32_t kApplication = 1;
constexpr uint16_t kUnicodeCodePage = 1200;
constexpr uint16_t kBinary = 0;
constexpr uint16_t kText = 1;

// One node: length, value length, type, key, padding, value, padding, children.
// The value length counts words for text and bytes for binary values.
Bytes node(const std::u16string& key, const Bytes& value, uint16_t valueLength, uint16_t type, const Bytes& children) {
    Bytes out;
    append16(out, 0);
    append16(out, valueLength);
    append16(out, type);
    appendText16(out, key);
    append16(out, 0);
    padTo(out, 4);
    out.insert(out.end(), value.begin(), value.end());
    padTo(out, 4);
    out.insert(out.end(), children.begin(), children.end());
    write16(out, 0, static_cast<uint32_t>(out.size()));
    return out;
}

Bytes textValue(const std::u16string& text) {
    Bytes value;
    appendText16(value, text);
    append16(value, 0);
    return value;
}

uint32_t high(const FourPartVersion& v) { return uint32_t{v[0]} << 16 | v[1]; }
uint32_t low(const FourPartVersion& v) { return uint32_t{v[2]} << 16 | v[3]; }

std::u16string widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

bool parseFourPartVersion(const std::string& text, FourPartVersion& version) {
    size_t position = 0;
    for (size_t part = 0; part < 4; ++part) {
        if (part > 0) {
            if (position >= text.size() || text[position] != '.') return false;
            ++position;
        }
        uint32_t value = 0;
        size_t digits = 0;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9' && digits < 6) {
            value = value * 10 + static_cast<uint32_t>(text[position] - '0');
            ++position;
            ++digits;
        }
        if (digits == 0 || value > 0xFFFF) return false;
        version[part] = static_cast<uint16_t>(value);
    }
    return position == text.size();
}

std::string formatVersion(const FourPartVersion& version) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", version[0], version[1], version[2], version[3]);
    return text;
}

Bytes buildVersionResource(const VersionInfo& info) {
    Bytes fixed;
    for (uint32_t field : {kFixedSignature, kFixedStructVersion, high(info.fileVersion), low(info.fileVersion),
                           high(info.productVersion), low(info.productVersion), kFlagsMask, 0u, kWindowsNt32,
                           kApplication, 0u, 0u, 0u}) {
        append32(fixed, field);
    }
    Bytes strings;
    for (const auto& [key, value] : info.strings) {
        padTo(strings, 4);
        Bytes one = node(key, textValue(value), static_cast<uint16_t>(value.size() + 1), kText, {});
        strings.insert(strings.end(), one.begin(), one.end());
    }
    char tableKey[9];
    std::snprintf(tableKey, sizeof tableKey, "%04X%04X", info.language, kUnicodeCodePage);
    Bytes table = node(widen(tableKey), {}, 0, kText, strings);
    Bytes stringFileInfo = node(u"StringFileInfo", {}, 0, kText, table);

    Bytes translation;
    append16(translation, info.language);
    append16(translation, kUnicodeCodePage);
    Bytes var = node(u"Translation", translation, 4, kBinary, {});
    Bytes varFileInfo = node(u"VarFileInfo", {}, 0, kText, var);

    Bytes children = stringFileInfo;
    padTo(children, 4);
    children.insert(children.end(), varFileInfo.begin(), varFileInfo.end());
    Bytes root = node(u"VS_VERSION_INFO", fixed, static_cast<uint16_t>(fixed.size()), kBinary, children);
    // Every node lies inside the root: when its length fits, all of theirs do.
    return root.size() <= kMaxVersionResource ? root : Bytes();
}
