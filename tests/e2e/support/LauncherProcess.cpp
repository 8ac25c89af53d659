#include "support/LauncherProcess.h"

#include <cstdio>
#include <vector>

#include "support/TimeScale.h"

namespace {

// The test's own environment with the overrides applied, as a sorted block.
std::vector<wchar_t> environmentBlock(const std::map<std::wstring, std::wstring>& overrides) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1) {
        std::wstring text = entry;
        size_t equals = text.find(L'=', 1);
        if (equals == std::wstring::npos) continue;
        variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(current);

    for (const auto& [name, value] : overrides) {
        for (auto it = variables.begin(); it != variables.end();) {
            it = _wcsicmp(it->first.c_str(), name.c_str()) == 0 ? variables.erase(it) : std::next(it);
        }
        if (!value.empty()) variables[name] = value;
    }

    std::vector<wchar_t> block;
    for (const auto& [name, value] : variables) {
        std::wstring entry = name + L"=" + value;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

LauncherProcess::LauncherProcess(const std::wstring& exePath, const LaunchOptions& options) {
    std::wstring commandLine = options.commandLine.empty() ? L"\"" + exePath + L"\"" : options.commandLine;
    if (options.commandLine.empty() && !options.arguments.empty()) commandLine += L" " + options.arguments;
    std::wstring folder = options.workingFolder;
    if (folder.empty()) folder = exePath.substr(0, exePath.rfind(L'\\') + 1);
    std::vector<wchar_t> environment = environmentBlock(options.environment);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    const BOOL inheritHandles = options.standardOutput != nullptr;
    if (inheritHandles) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = options.standardOutput;
        startup.hStdError = options.standardOutput;
    }
    // Wine under load now and then fails a start that succeeds a moment
    // later; the tests are about the launcher, not about that.
    for (int attempt = 0; attempt < 3; ++attempt) {
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(exePath.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles,
                           CREATE_UNICODE_ENVIRONMENT, environment.data(), folder.c_str(), &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            processId_ = info.dwProcessId;
            return;
        }
        std::fprintf(stderr, "starting %ls failed with error %lu\n", exePath.c_str(), GetLastError());
        Sleep(scaled(250));
    }
}

LauncherProcess::~LauncherProcess() {
    if (!process_) return;
    if (exitCode() == STILL_ACTIVE) terminate();
    CloseHandle(process_);
}

bool LauncherProcess::wait(DWORD timeoutMs) {
    return process_ && WaitForSingleObject(process_, scaled(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD LauncherProcess::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void LauncherProcess::terminate() {
    if (!process_) return;
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, scaled(5000));
}

DWORD runToExit(const std::wstring& exePath, const LaunchOptions& options, DWORD timeoutMs) {
    LauncherProcess process(exePath, options);
    if (!process.started()) return static_cast<DWORD>(-2);
    if (!process.wait(timeoutMs)) {
        process.terminate();
        return STILL_ACTIVE;
    }
    return process.exitCode();
}
