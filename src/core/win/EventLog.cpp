#include "core/win/EventLog.h"

#include <windows.h>

#include "core/win/DiagnosticLog.h"
#include "core/win/Scoped.h"

namespace {

// The one entry of the image's message table (launcher.rc), "%1": Event
// Viewer shows the insertion string as it is.
constexpr DWORD kTextMessageId = 1;

}  // namespace

void writeEventLogError(const wchar_t* source, const std::wstring& text) {
    ScopedEventSource log(RegisterEventSourceW(nullptr, source));
    const wchar_t* strings[] = {text.c_str()};
    const bool written =
        log && ReportEventW(log.get(), EVENTLOG_ERROR_TYPE, 0, kTextMessageId, nullptr, 1, 0, strings, nullptr);
    logLine("event log, source %s%a: %s", source, written ? "" : " (not written)", text.c_str());
}
