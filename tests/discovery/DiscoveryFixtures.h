// Runtime folders on disk and runtime keys in the registry, made by a test
// and removed again when it ends.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "discovery/RuntimeSearch.h"

// A fresh folder under %TEMP% (ending in a backslash), removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // Creates the file and any missing folders on its way.
    void writeFile(const std::wstring& relative, const std::string& bytes = "marker") const;
    // A runtime home `relative` (ending in "\") with marker files at the given sub-paths.
    std::wstring runtime(const std::wstring& relative, std::initializer_list<const wchar_t*> libraries) const;

private:
    std::wstring path_;
};

constexpr const wchar_t* kClient = L"bin\\client\\jvm.dll";
constexpr const wchar_t* kServer = L"bin\\server\\jvm.dll";
constexpr const wchar_t* kJRockitVm = L"bin\\jrockit\\jvm.dll";

constexpr const wchar_t* kJavaSoftJdk = L"Software\\JavaSoft\\Java Development Kit\\";
constexpr const wchar_t* kJavaSoftJre = L"Software\\JavaSoft\\Java Runtime Environment\\";
constexpr const wchar_t* kJRockitJre = L"Software\\JRockit\\Java Runtime Environment\\";
constexpr const wchar_t* kJRockitJdk = L"Software\\JRockit\\Java Development Kit\\";
constexpr const wchar_t* kIbmJre = L"Software\\IBM\\Java2 Runtime Environment\\";

// Runtime keys under HKEY_LOCAL_MACHINE in one explicit registry view.
enum class TestView { Bits32, Bits64 };
constexpr TestView kOwnTestView = kOwnRegistryView == RegistryView::Wide64 ? TestView::Bits64 : TestView::Bits32;
constexpr TestView kPairedTestView = kOwnTestView == TestView::Bits64 ? TestView::Bits32 : TestView::Bits64;

// Empties every runtime key the search reads, in both views, now and again on destruction.
class RuntimeRegistry {
public:
    RuntimeRegistry();
    ~RuntimeRegistry();
    RuntimeRegistry(const RuntimeRegistry&) = delete;
    RuntimeRegistry& operator=(const RuntimeRegistry&) = delete;

    void add(const wchar_t* key, const std::wstring& version, const std::wstring& javaHome,
             TestView view = kOwnTestView) const;
    // Stores "JavaHome" with any type and bytes; a null `data` creates the subkey without it.
    void addRaw(const wchar_t* key, const std::wstring& version, DWORD type, const void* data, DWORD size,
                TestView view = kOwnTestView) const;
    // The string `valueName` = `text` at HKLM\`path`, as the installers of current runtimes write it.
    void addValue(const std::wstring& path, const wchar_t* valueName, const std::wstring& text,
                  TestView view = kOwnTestView) const;

    static void clear();
};

// The folder chosen by one registry pass, or "(none)".
std::wstring searched(const RuntimeRequirements& settings, RegistryView view = kOwnRegistryView);
