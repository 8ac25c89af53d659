#include "splash/DisplaySettings.h"

#include "core/Settings.h"
#include "core/SettingsRules.h"

DisplaySettings readDisplaySettings(const std::wstring& settingsFile) {
    const IniFile file(settingsFile);
    DisplaySettings display;
    display.image = file.getString(L"Display", L"Splash Screen");
    display.shadow = file.getString(L"Display", L"Splash Screen Shadow");
    display.preferNative = isYesAnyCase(file.getString(L"Display", L"Preffer Native Splash Screen"));
    return display;
}
