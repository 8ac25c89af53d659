#include "core/win/DesktopIntegration.h"

#include <windows.h>

#include <cstdarg>
#include <cstdint>

#include "core/DesktopRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/EntryPoint.h"
#include "core/win/SystemLibrary.h"

namespace {

// Each name looks the call up and names it in the log.
constexpr char kSetContext[] = "SetProcessDpiAwarenessContext";
constexpr char kSetAwareness[] = "SetProcessDpiAwareness";
constexpr char kSetAware[] = "SetProcessDPIAware";
constexpr char kSetAppId[] = "SetCurrentProcessExplicitAppUserModelID";

// One awareness as each generation of Windows sets it: a DPI_AWARENESS_CONTEXT
// (Windows 10; per-monitor v2 from 1703), a PROCESS_DPI_AWARENESS (shcore,
// Windows 8.1), and system awareness alone before that.
struct AwarenessCalls {
    intptr_t context;
    int processAwareness;
    bool systemAware;
};

// By DpiAwareness: system, per-monitor, unaware.
constexpr AwarenessCalls kAwarenessCalls[] = {{-2, 1, true}, {-4, 2, true}, {-1, 0, false}};

void append(std::string& line, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    line += formatLogText(format, arguments);
    va_end(arguments);
}

// A call that fails with an invalid parameter (a level this Windows lacks)
// leaves the next one to try; access denied means the awareness is set
// already, and nothing more is tried.
void setDpiAwareness(const AwarenessCalls& calls, std::string& line) {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    if (const auto setContext = entryPoint<BOOL(WINAPI*)(HANDLE)>(user, kSetContext)) {
        const bool set = setContext(reinterpret_cast<HANDLE>(calls.context));
        const DWORD error = set ? 0 : GetLastError();
        const int context = static_cast<int>(calls.context);
        append(line, set ? "; %a(%d): done" : "; %a(%d): error %u", kSetContext, context, error);
        if (set || error == ERROR_ACCESS_DENIED) return;
    }
    if (const auto setAwareness =
            entryPoint<HRESULT(WINAPI*)(int)>(loadSystemLibrary(L"shcore.dll"), kSetAwareness)) {
        const HRESULT result = setAwareness(calls.processAwareness);
        append(line, "; %a(%d): %x", kSetAwareness, calls.processAwareness, static_cast<unsigned>(result));
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
    }
    const auto setAware = entryPoint<BOOL(WINAPI*)()>(user, kSetAware);
    if (calls.systemAware && setAware) append(line, "; %a: %d", kSetAware, setAware());
}

void setAppUserModelId(const std::wstring& id) {
    if (id.empty()) {
        logLine("App User Model ID: none");
        return;
    }
    if (const char* fault = appUserModelIdFault(id)) {
        logLine("App User Model ID: %s: refused, %a; none set", id.c_str(), fault);
        return;
    }
    // Never freed: unloading it could take the identity with it.
    const auto setId = entryPoint<HRESULT(WINAPI*)(const wchar_t*)>(loadSystemLibrary(L"shell32.dll"), kSetAppId);
    if (!setId) {
        logLine("App User Model ID: %s: this Windows has no %a", id.c_str(), kSetAppId);
        return;
    }
    logLine("App User Model ID: %s, %a: %x", id.c_str(), kSetAppId, static_cast<unsigned>(setId(id.c_str())));
}

}  // namespace

void applyDesktopSettings(const DesktopSettings& settings) {
    DpiAwareness awareness;
    const bool known = parseDpiAwareness(settings.dpiAwareness, awareness);
    std::string line;
    append(line, "DPI awareness: %s%a", settings.dpiAwareness.empty() ? L"system" : settings.dpiAwareness.c_str(),
           !known ? " (not a value: system)" : settings.dpiAwareness.empty() ? " (the default)" : "");
    setDpiAwareness(kAwarenessCalls[static_cast<int>(awareness)], line);
    logLine("%a", line.c_str());
    setAppUserModelId(settings.appUserModelId);
}
