#include "discovery/RuntimePreferences.h"

namespace {

// The table is ASCII, so an ASCII fold is exact and independent of the C locale.
wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool equalsIgnoringCase(const std::wstring& left, const wchar_t* right) {
    size_t i = 0;
    for (; i < left.size() && right[i] != L'\0'; ++i) {
        if (lowerAscii(left[i]) != lowerAscii(right[i])) return false;
    }
    return i == left.size() && right[i] == L'\0';
}

struct ProviderRow {
    const wchar_t* name;
    ProviderFlags flags;
};

// allowJRockit, favorJRockit, allowSun, favorSun, allowIbm, favorIbm
const ProviderRow kProviderRows[] = {
    {L"jrockit", {true, true, false, false, false, false}},
    {L"ibm", {false, false, false, false, true, true}},
    {L"favor_sun", {true, false, true, true, true, false}},
    {L"favor_jrockit", {true, true, true, false, true, false}},
    {L"favor_ibm", {true, false, true, false, true, true}},
    {L"any", {true, false, true, false, true, false}},
};

}  // namespace

JvmTypeMode jvmTypeModeFromSetting(const std::wstring& value) {
    if (value == L"server") return JvmTypeMode::ServerOnly;
    if (value == L"favor_server") return JvmTypeMode::FavorServer;
    return JvmTypeMode::Default;
}

RuntimeRegistrations runtimeRegistrationsFromSetting(const std::wstring& value) {
    return equalsIgnoringCase(value, L"classic") ? RuntimeRegistrations::Classic : RuntimeRegistrations::All;
}

void applyJvmSource(const std::wstring& value, SourceFlags& flags) {
    if (!value.empty()) flags.favorSource = value == L"favor_JRE" || value == L"favor_JDK";
    flags.acceptJdk = value.empty() || value == L"favor_JDK" || value == L"only_JDK";
    flags.acceptJre = value.empty() || value == L"favor_JRE" || value == L"only_JRE";
}

void applyVmProvider(const std::wstring& value, ProviderFlags& flags) {
    for (const ProviderRow& row : kProviderRows) {
        if (equalsIgnoringCase(value, row.name)) {
            flags = row.flags;
            return;
        }
    }
}
