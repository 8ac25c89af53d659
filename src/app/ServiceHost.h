// Running as a Windows service. Started by the service manager, a service
// application runs its usual stages inside the service's main function;
// this reports the service's state as they go, turns a stop request into
// the end of the Java application and sends every failure to the event
// log, since a service has nobody to see a window.
#pragma once

#include <windows.h>

#include <string>

#include "core/win/SlimLock.h"
#include "hosting/JavaSession.h"

struct AppSettings;
struct JavaLaunch;
class SettingsLookup;

class ServiceHost {
public:
    // True, with the process exit code, once the service that the service
    // manager started has ended; false for any other start, which runs as
    // an ordinary one. `settingsFile` is the executable's, which the
    // service's start goes on with.
    static bool run(const SettingsLookup& settingsFile, int& exitCode);

    // Before the Java thread starts: the start parameters follow the
    // arguments, the service runs once main is called, and a stop request
    // reaches the application through `session`.
    void prepareLaunch(JavaLaunch& launch, SharedJavaSession session, const AppSettings& settings);

    // A failure's text, for the event log under the service's name.
    void reportError(const std::wstring& text) const;

private:
    ServiceHost(DWORD count, wchar_t** arguments) : name_(arguments[0]), argumentCount_(count), arguments_(arguments) {}

    static void WINAPI serviceMain(DWORD count, wchar_t** arguments);
    static DWORD WINAPI control(DWORD control, DWORD type, void* data, void* context);
    static DWORD WINAPI watchStop(void* parameter);
    static DWORD WINAPI requestEnd(void* parameter);

    // False once the service has reported stopped: nothing may follow that.
    bool report(DWORD state, int exitCode = 0);
    void beginStop();

    // The service main function's arguments, which live as long as it runs:
    // "sc start NAME a b" gives NAME, a and b.
    const wchar_t* name_;
    DWORD argumentCount_;
    wchar_t** arguments_;
    SERVICE_STATUS_HANDLE status_ = nullptr;
    SlimLock lock_;  // over the three below
    DWORD checkPoint_ = 0;
    bool stopRequested_ = false;
    bool stopped_ = false;
    SharedJavaSession session_;
    DWORD stopTimeout_ = 0;  // ms
};
