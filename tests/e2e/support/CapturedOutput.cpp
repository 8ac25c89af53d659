#include "support/CapturedOutput.h"

CapturedOutput::CapturedOutput(const std::wstring& path) : path_(path) {
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    file_.reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string CapturedOutput::text() const {
    ScopedFile reader(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!reader) return bytes;
    char chunk[4096];
    DWORD count = 0;
    while (ReadFile(reader.get(), chunk, sizeof chunk, &count, nullptr) && count > 0) bytes.append(chunk, count);
    return bytes;
}
