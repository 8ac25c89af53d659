#include "discovery/RuntimeKeys.h"

namespace {

bool allows(const ProviderFlags& flags, RuntimeProvider provider) {
    switch (provider) {
    case RuntimeProvider::Sun: return flags.allowSun || flags.favorSun;
    case RuntimeProvider::JRockit: return flags.allowJRockit || flags.favorJRockit;
    case RuntimeProvider::Ibm: return flags.allowIbm || flags.favorIbm;
    }
    return false;
}

bool favors(const ProviderFlags& flags, RuntimeProvider provider) {
    switch (provider) {
    case RuntimeProvider::Sun: return flags.favorSun;
    case RuntimeProvider::JRockit: return flags.favorJRockit;
    case RuntimeProvider::Ibm: return flags.favorIbm;
    }
    return false;
}

bool accepts(const SourceFlags& source, RuntimeKind kind) {
    return kind == RuntimeKind::Jdk ? source.acceptJdk : source.acceptJre;
}

}  // namespace

const std::array<RuntimeKey, 5>& runtimeKeys() {
    static const std::array<RuntimeKey, 5> keys{{
        {L"Software\\JavaSoft\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeProvider::Sun},
        {L"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeProvider::Sun},
        {L"Software\\JRockit\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeProvider::JRockit},
        {L"Software\\JRockit\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeProvider::JRockit},
        {L"Software\\IBM\\Java2 Runtime Environment\\", RuntimeKind::Jre, RuntimeProvider::Ibm},
    }};
    return keys;
}

bool shouldVisit(const RuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider) {
    return (source.favorSource || accepts(source, key.kind)) && allows(provider, key.provider);
}

bool isPreferredKey(const RuntimeKey& key, const SourceFlags& source, const ProviderFlags& provider) {
    return accepts(source, key.kind) && favors(provider, key.provider);
}

JvmTypeMode probeModeFor(const RuntimeKey& key, JvmTypeMode mode) {
    const bool javaSoftJre = key.kind == RuntimeKind::Jre && key.provider == RuntimeProvider::Sun;
    return javaSoftJre && mode == JvmTypeMode::FavorServer ? JvmTypeMode::Default : mode;
}

std::wstring runtimeHomeFromJavaHome(const std::wstring& javaHome, RuntimeKind kind) {
    std::wstring home = javaHome;
    if (home.empty() || home.back() != L'\\') home += L'\\';
    if (kind == RuntimeKind::Jdk) home += L"jre\\";
    return home;
}
