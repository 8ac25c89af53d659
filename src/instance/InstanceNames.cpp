#include "instance/InstanceNames.h"

std::wstring instanceNameOf(const std::wstring& modulePath) {
    std::wstring name = modulePath;
    for (wchar_t& c : name) {
        if (c == L'\\') c = L'_';
    }
    return name;
}

std::wstring mainStartedEventName(const std::wstring& instanceName) { return instanceName + L"_upr_evt"; }

std::wstring writerLockName(const std::wstring& instanceName) { return instanceName + L"_upr_mtx"; }

std::wstring requestCopiedEventName(const std::wstring& instanceName) { return instanceName + L"_upr_cpy"; }
