// Java runtimes registered under HKEY_LOCAL_MACHINE as installers do, in the
// registry view of this build's architecture or in the other one.
#pragma once

#include <string>

// The launcher searches its own view first and the paired one only for a
// start that may hand over to "Pair Product".
enum class RuntimeView { Own, Paired };

// Empties the runtime keys the launcher searches, in both views, now and
// again when it goes.
class RegisteredRuntimes {
public:
    RegisteredRuntimes() { clear(); }
    ~RegisteredRuntimes() { clear(); }
    RegisteredRuntimes(const RegisteredRuntimes&) = delete;
    RegisteredRuntimes& operator=(const RegisteredRuntimes&) = delete;

    // A JavaSoft runtime `version` whose "JavaHome" is `javaHome`.
    void add(RuntimeView view, const std::wstring& version, const std::wstring& javaHome) const;
    // The string `valueName` = `text` at HKLM\`path`, as any installer writes it.
    void addValue(RuntimeView view, const std::wstring& path, const wchar_t* valueName, const std::wstring& text) const;
    static void clear();
};
