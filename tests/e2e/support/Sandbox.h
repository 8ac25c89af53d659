// A fresh folder with a copy of this build's launcher under a name of the
// test's choosing, its settings file and whatever else the test lays out.
#pragma once

#include <windows.h>

#include <string>

std::wstring buildPath(const std::wstring& relative);  // inside the build tree
std::wstring launcherExePath();
// The build tree of the other architecture, and its launcher.
std::wstring pairedBuildPath(const std::wstring& relative);
std::wstring pairedLauncherExePath();
std::wstring runtimeFixture(const std::wstring& variant);  // build tree runtimes\<variant>\ (ends in "\")

class Sandbox {
public:
    explicit Sandbox(const std::wstring& exeName = L"app.exe");
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::wstring& folder() const { return folder_; }  // ends in "\"
    std::wstring path(const std::wstring& relative) const { return folder_ + relative; }
    const std::wstring& exePath() const { return exePath_; }
    std::wstring iniPath() const;

    // Writes the settings file beside the executable, bytes as given.
    void writeIni(const std::string& text) const;
    void writeFile(const std::wstring& relative, const std::string& bytes) const;
    void makeFolder(const std::wstring& relative) const;
    // Copies a whole folder tree (e.g. a runtime fixture) to `relative`.
    void copyTree(const std::wstring& from, const std::wstring& relative) const;
    void copyFile(const std::wstring& from, const std::wstring& relative) const;

private:
    std::wstring folder_;
    std::wstring exePath_;
};

// Whole-folder helpers usable outside a sandbox too.
bool copyTree(const std::wstring& from, const std::wstring& to);
void removeTree(const std::wstring& folder);
