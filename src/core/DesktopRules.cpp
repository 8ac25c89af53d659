#include "core/DesktopRules.h"

#include "core/SettingsRules.h"

bool parseDpiAwareness(const std::wstring& text, DpiAwareness& awareness) {
    awareness = equalsAnyCase(text, L"per-monitor") ? DpiAwareness::PerMonitor
                : equalsAnyCase(text, L"unaware")   ? DpiAwareness::Unaware
                                             : DpiAwareness::System;
    return awareness != DpiAwareness::System || text.empty() || equalsAnyCase(text, L"system");
}

const char* appUserModelIdFault(const std::wstring& id) {
    if (id.size() > 128) return "longer than 128 characters";
    if (id.find(L' ') != std::wstring::npos) return "it holds a space";
    return nullptr;
}
