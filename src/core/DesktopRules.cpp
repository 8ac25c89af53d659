#include "core/DesktopRules.h"

namespace {

// `text` is `word`, a lower-case one, in any ASCII letter case.
bool isWord(const std::wstring& text, const wchar_t* word) {
    size_t i = 0;
    for (; i < text.size() && word[i]; ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] - L'A' + L'a') : text[i];
        if (c != word[i]) return false;
    }
    return i == text.size() && !word[i];
}

}  // namespace

bool parseDpiAwareness(const std::wstring& text, DpiAwareness& awareness) {
    awareness = isWord(text, L"per-monitor") ? DpiAwareness::PerMonitor
                : isWord(text, L"unaware")   ? DpiAwareness::Unaware
                                             : DpiAwareness::System;
    return awareness != DpiAwareness::System || text.empty() || isWord(text, L"system");
}

const char* appUserModelIdFault(const std::wstring& id) {
    if (id.size() > 128) return "longer than 128 characters";
    if (id.find(L' ') != std::wstring::npos) return "it holds a space";
    return nullptr;
}
