// How the runtime search filters and ranks installed runtimes.
#pragma once

#include <string>

enum class JvmTypeMode { Default, ServerOnly, FavorServer };

// Which registry layouts the search reads: the five keys of Java 8 and
// before only, or also those current installers write.
enum class RuntimeRegistrations { Classic, All };

struct SourceFlags {
    bool favorSource = true;
    bool acceptJdk = true;
    bool acceptJre = true;
};

struct ProviderFlags {
    bool allowJRockit = false;
    bool favorJRockit = false;
    bool allowSun = true;
    bool favorSun = true;
    bool allowIbm = false;
    bool favorIbm = false;
};

JvmTypeMode jvmTypeModeFromSetting(const std::wstring& value);

// "classic" in any letter case; any other value searches everything.
RuntimeRegistrations runtimeRegistrationsFromSetting(const std::wstring& value);

// Applies a "JVM Source" value to `flags`.
void applyJvmSource(const std::wstring& value, SourceFlags& flags);

// Applies a "VM Provider" value (any letter case); unknown values change nothing.
void applyVmProvider(const std::wstring& value, ProviderFlags& flags);
