// A file a started program inherits as its standard output and error, as a
// console or a shell's redirection would give it.
#pragma once

#include <windows.h>

#include <string>

#include "core/win/Scoped.h"

class CapturedOutput {
public:
    explicit CapturedOutput(const std::wstring& path);

    HANDLE handle() const { return file_.get(); }
    // Everything written so far, as UTF-8 bytes.
    std::string text() const;

private:
    std::wstring path_;
    ScopedFile file_;
};
