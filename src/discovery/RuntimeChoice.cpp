#include "core/SettingsRules.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/FileSystem.h"
#include "discovery/RuntimeSearch.h"

namespace {

bool mayHandToPair(const RuntimeSearch& search) { return search.requirements.hasPairProduct && !search.startedByPair; }

// C:\jre\bin\client\jvm.dll: the release file of C:\jre\.
void readLibraryVersion(RuntimeChoice& choice) {
    readReleaseVersion(folderOf(withoutLastComponents(choice.library, 2)), choice.version);
    choice.version = withClassicNumbering(choice.version);
}

std::optional<RuntimeChoice> locateRuntime(const RuntimeSearch& search) {
    const JvmTypeMode mode = search.requirements.jvmTypeMode;
    if (!search.jrePath.empty()) {
        // Probed, checked and loaded in one place: a relative folder is the working folder's,
        // where a relative library name would be searched for along the DLL path.
        const std::wstring home = withFolderBackslash(absolutePath(search.jrePath));
        std::wstring library = findJvmLibrary(home, mode).path;
        logLine(library.empty() ? "candidate JRE Path %s: refused, no JVM library" : "candidate JRE Path %s: accepted",
                home.c_str());
        if (!library.empty()) {
            RuntimeChoice choice = chosenRuntime(search, std::move(library));
            choice.origin = RuntimeOrigin::JrePath;
            return choice;
        }
    }

    const std::wstring local =
        search.executableFolder.empty() ? std::wstring() : runtimeHomeIn(search.executableFolder);
    if (!local.empty()) {
        std::wstring library = findJvmLibrary(local, mode).path;
        logLine(library.empty() ? "candidate beside the executable %s: refused, no JVM library"
                                : "candidate beside the executable %s: accepted",
                local.c_str());
        if (!library.empty()) {
            // A pair ships beside one bundled runtime: one of the other architecture is the pair's.
            RuntimeChoice choice = chosenRuntime(search, std::move(library));
            choice.origin = RuntimeOrigin::Local;
            return choice;
        }
    }

    const RuntimeRequirements& requirements = search.requirements;
    if (requirements.useJavaHome) {
        bool paired = false;
        std::wstring library = findJavaHomeLibrary(requirements.versionMin, requirements.versionMax, mode,
                                                   mayHandToPair(search), paired);
        if (!library.empty()) return RuntimeChoice{std::move(library), RuntimeOrigin::JavaHome, paired, {}};
    }

    std::wstring home;
    RuntimeChoice choice;
    choice.origin = RuntimeOrigin::Registry;
    bool found = searchRegistry(search.requirements, kOwnRegistryView, home, &choice.version);
    if (!found && !search.startedByPair &&
        searchRegistry(search.requirements, kPairedRegistryView, home, &choice.version)) {
        found = true;
        choice.origin = RuntimeOrigin::PairedRegistry;
        choice.paired = true;
    }
    if (!found) return std::nullopt;
    choice.library = findJvmLibrary(home, mode).path;
    if (choice.library.empty()) return std::nullopt;
    return choice;
}

}  // namespace

std::optional<RuntimeChoice> findRuntime(const RuntimeSearch& search) {
    std::optional<RuntimeChoice> choice = locateRuntime(search);
    // A registration names its version; "JRE Path" and a bundled runtime went through chosenRuntime.
    const bool read = choice && (choice->origin == RuntimeOrigin::JrePath || choice->origin == RuntimeOrigin::Local);
    if (choice && !read && choice->version == JavaVersion{}) {
        readLibraryVersion(*choice);
    }
    return choice;
}

RuntimeChoice chosenRuntime(const RuntimeSearch& search, std::wstring library) {
    RuntimeChoice choice;
    choice.paired = mayHandToPair(search) && isForeignMachineLibrary(library);
    choice.library = std::move(library);
    choice.origin = RuntimeOrigin::Chosen;
    readLibraryVersion(choice);
    return choice;
}
