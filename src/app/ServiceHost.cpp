#include "app/ServiceHost.h"

#include <tlhelp32.h>

#include <mutex>

#include "app/AppSettings.h"
#include "app/Application.h"
#include "core/Settings.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/EventLog.h"
#include "core/win/Scoped.h"
#include "hosting/ApplicationStop.h"
#include "hosting/JavaThread.h"

namespace {

constexpr DWORD kStartWaitHint = 30000;  // ms, for the runtime search and the JVM's creation
constexpr DWORD kStopStep = 1000;        // ms between two reports of a stop going on
constexpr int kStopTimedOut = -1;        // the exit code when the stop timeout ends the process

// The service of this process, for the JVM's hooks, which have no context.
// It is never freed: the stop threads may still use it while the process ends.
ServiceHost* service = nullptr;
const SettingsLookup* serviceSettingsFile = nullptr;
int serviceExitCode = -1;

// Where the service manager did not start the process, its dispatcher call
// can wait seconds before it fails (Wine's does): its process must be the parent.
bool startedByServiceManager() {
    ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    auto find = [&](DWORD id) {
        for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
            if (entry.th32ProcessID == id) return true;
        }
        return false;
    };
    return snapshot && find(GetCurrentProcessId()) && find(entry.th32ParentProcessID) &&
           lstrcmpiW(entry.szExeFile, L"services.exe") == 0;
}

}  // namespace

bool ServiceHost::run(const SettingsLookup& settingsFile, int& exitCode) {
    // The settings first: an ordinary application pays nothing more.
    if (!isServiceApplication(settingsFile) || !startedByServiceManager()) return false;
    serviceSettingsFile = &settingsFile;
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(L""), serviceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(table)) return false;
    exitCode = serviceExitCode;
    return true;
}

void WINAPI ServiceHost::serviceMain(DWORD count, wchar_t** arguments) {
    // The locale is the thread's own; the entry point set the dispatcher's.
    SetThreadLocale(GetSystemDefaultLCID());
    service = new ServiceHost(count, arguments);
    service->status_ = RegisterServiceCtrlHandlerExW(service->name_, control, service);
    service->report(SERVICE_START_PENDING);
    {
        Application application(*serviceSettingsFile, service);
        serviceExitCode = application.run();
    }
    service->report(SERVICE_STOPPED, serviceExitCode);
}

void ServiceHost::prepareLaunch(JavaLaunch& launch, SharedJavaSession session, const AppSettings& settings) {
    for (DWORD index = 1; index < argumentCount_; ++index) launch.arguments.push_back(arguments_[index]);
    launch.mainStarting = [] { service->report(SERVICE_RUNNING); };
    launch.exiting = [](int status) { service->report(SERVICE_STOPPED, status); };
    session_ = std::move(session);
    stopTimeout_ = settings.serviceStopTimeout * 1000;
    logLine("service %s: %u start parameters, stop timeout %u s", name_, static_cast<unsigned>(argumentCount_ - 1),
            settings.serviceStopTimeout);
    // The runtime is found; the JVM's creation follows.
    report(SERVICE_START_PENDING);
}

void ServiceHost::reportError(const std::wstring& text) const {
    if (!text.empty()) writeEventLogError(name_, text);
}

bool ServiceHost::report(DWORD state, int exitCode) {
    std::lock_guard<SlimLock> held(lock_);
    if (stopped_) return false;
    stopped_ = state == SERVICE_STOPPED;
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    if (state == SERVICE_RUNNING) {
        // Pre-shutdown gives the application time at system shutdown, within Windows' own deadline.
        status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN | SERVICE_ACCEPT_PRESHUTDOWN;
    } else if (!stopped_) {
        status.dwCheckPoint = ++checkPoint_;
        status.dwWaitHint = state == SERVICE_START_PENDING ? kStartWaitHint : 2 * kStopStep;
    }
    if (exitCode != 0) {
        status.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
        status.dwServiceSpecificExitCode = static_cast<DWORD>(exitCode);
    }
    SetServiceStatus(status_, &status);
    logLine("service state %u, checkpoint %u, exit code %d", static_cast<unsigned>(state),
            static_cast<unsigned>(status.dwCheckPoint), exitCode);
    return true;
}

// On the dispatcher thread, which must get control back at once.
DWORD WINAPI ServiceHost::control(DWORD control, DWORD, void*, void* context) {
    if (control == SERVICE_CONTROL_INTERROGATE) return NO_ERROR;
    if (control != SERVICE_CONTROL_STOP && control != SERVICE_CONTROL_SHUTDOWN &&
        control != SERVICE_CONTROL_PRESHUTDOWN) {
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
    static_cast<ServiceHost*>(context)->beginStop();
    return NO_ERROR;
}

void ServiceHost::beginStop() {
    {
        std::lock_guard<SlimLock> held(lock_);
        if (stopRequested_) return;
        stopRequested_ = true;
    }
    logLine("service: stop requested");
    report(SERVICE_STOP_PENDING);
    ScopedHandle watcher(CreateThread(nullptr, 0, watchStop, this, 0, nullptr));
}

// System.exit does not return: the request goes on a thread of its own,
// and this one keeps the time.
DWORD WINAPI ServiceHost::watchStop(void* parameter) {
    ServiceHost& host = *static_cast<ServiceHost*>(parameter);
    ScopedHandle request(CreateThread(nullptr, 0, requestEnd, &host, 0, nullptr));
    for (DWORD waited = 0; waited < host.stopTimeout_; waited += kStopStep) {
        Sleep(kStopStep);
        if (!host.report(SERVICE_STOP_PENDING)) return 0;
    }
    logLine("service: the stop timeout has passed, the process ends");
    if (host.report(SERVICE_STOPPED, kStopTimedOut)) TerminateProcess(GetCurrentProcess(), kStopTimedOut);
    return 0;
}

DWORD WINAPI ServiceHost::requestEnd(void* parameter) {
    ServiceHost& host = *static_cast<ServiceHost*>(parameter);
    requestApplicationEnd(*host.session_);
    return 0;
}
