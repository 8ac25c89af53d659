#include "discovery/ui/LinkTags.h"

#include "core/SettingsRules.h"

namespace {

bool tagAt(const std::wstring& text, size_t position, const wchar_t* tag) {
    for (size_t i = 0; tag[i] != L'\0'; ++i) {
        if (position + i >= text.size()) return false;
        if (lowerAscii(text[position + i]) != tag[i]) return false;
    }
    return true;
}

size_t findTag(const std::wstring& text, size_t from, const wchar_t* tag) {
    for (size_t position = text.find(L'<', from); position != std::wstring::npos;
         position = text.find(L'<', position + 1)) {
        if (tagAt(text, position, tag)) return position;
    }
    return std::wstring::npos;
}

}  // namespace

LinkTextParts splitLinkTags(const std::wstring& label) {
    static const wchar_t kOpen[] = L"<a>";
    static const wchar_t kClose[] = L"</a>";
    const size_t openLength = 3;
    const size_t closeLength = 4;

    LinkTextParts parts;
    const size_t open = findTag(label, 0, kOpen);
    if (open == std::wstring::npos) {
        parts.prefix = label;
        return parts;
    }
    parts.prefix = label.substr(0, open);
    const size_t linkStart = open + openLength;
    const size_t close = findTag(label, linkStart, kClose);
    if (close == std::wstring::npos) {
        parts.suffix = label.substr(linkStart);
        return parts;
    }
    parts.link = label.substr(linkStart, close - linkStart);
    parts.suffix = label.substr(close + closeLength);
    return parts;
}
