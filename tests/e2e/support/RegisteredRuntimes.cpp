#include "support/RegisteredRuntimes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/win/Scoped.h"
#include "support/TextFiles.h"

namespace {

const wchar_t kJavaSoftJre[] = L"Software\\JavaSoft\\Java Runtime Environment";

REGSAM viewFlag(RuntimeView view) {
    const bool build64 = sizeof(void*) == 8;
    const bool wide = (view == RuntimeView::Own) == build64;
    return wide ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

}  // namespace

void RegisteredRuntimes::add(RuntimeView view, const std::wstring& version, const std::wstring& javaHome) const {
    addValue(view, std::wstring(kJavaSoftJre) + L"\\" + version, L"JavaHome", javaHome);
}

void RegisteredRuntimes::addValue(RuntimeView view, const std::wstring& path, const wchar_t* valueName,
                                  const std::wstring& text) const {
    ScopedRegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | viewFlag(view), nullptr,
                              key.receive(), nullptr),
              ERROR_SUCCESS)
        << toUtf8(path);
    EXPECT_EQ(RegSetValueExW(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             DWORD((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void RegisteredRuntimes::clear() {
    // Every key the launcher reads, classic and current; their parents belong to others.
    const wchar_t* keys[] = {L"Software\\JavaSoft\\Java Development Kit", kJavaSoftJre,
                             L"Software\\JRockit\\Java Runtime Environment", L"Software\\JRockit\\Java Development Kit",
                             L"Software\\IBM\\Java2 Runtime Environment", L"Software\\JavaSoft\\JDK",
                             L"Software\\JavaSoft\\JRE", L"Software\\Eclipse Adoptium", L"Software\\Eclipse Foundation",
                             L"Software\\AdoptOpenJDK", L"Software\\Semeru", L"Software\\Microsoft\\JDK",
                             L"Software\\Azul Systems\\Zulu", L"Software\\BellSoft\\Liberica"};
    for (RuntimeView view : {RuntimeView::Own, RuntimeView::Paired}) {
        for (const wchar_t* key : keys) {
            ScopedRegistryKey handle;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | viewFlag(view), handle.receive()) ==
                ERROR_SUCCESS) {
                RegDeleteTreeW(handle.get(), nullptr);
            }
        }
    }
}
