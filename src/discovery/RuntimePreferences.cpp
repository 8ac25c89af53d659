#include "discovery/RuntimePreferences.h"

#include "core/SettingsRules.h"

namespace {

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
    return equalsAnyCase(value, L"classic") ? RuntimeRegistrations::Classic : RuntimeRegistrations::All;
}

void applyJvmSource(const std::wstring& value, SourceFlags& flags) {
    if (!value.empty()) flags.favorSource = value == L"favor_JRE" || value == L"favor_JDK";
    flags.acceptJdk = value.empty() || value == L"favor_JDK" || value == L"only_JDK";
    flags.acceptJre = value.empty() || value == L"favor_JRE" || value == L"only_JRE";
}

void applyVmProvider(const std::wstring& value, ProviderFlags& flags) {
    for (const ProviderRow& row : kProviderRows) {
        if (equalsAnyCase(value, row.name)) {
            flags = row.flags;
            return;
        }
    }
}
