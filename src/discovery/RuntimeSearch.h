// Finding the JVM library: a configured folder, a runtime beside the
// executable, or the runtimes registered by Java installers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "discovery/JavaVersion.h"
#include "discovery/RuntimeCriteria.h"
#include "discovery/RuntimePreferences.h"

enum class RegistryView { Native32, Wide64 };

// A build searches the view of its own architecture first; the other view
// holds runtimes only the paired executable can host.
constexpr RegistryView kOwnRegistryView = sizeof(void*) == 8 ? RegistryView::Wide64 : RegistryView::Native32;
constexpr RegistryView kPairedRegistryView =
    kOwnRegistryView == RegistryView::Wide64 ? RegistryView::Native32 : RegistryView::Wide64;

struct JvmLibrary {
    std::wstring path;  // empty when none was found
    bool isServer = false;
};

// `home` ends in a backslash; a relative home is taken against the working folder.
JvmLibrary findJvmLibrary(const std::wstring& home, JvmTypeMode mode);

// The runtime home within `folder` (which ends in a backslash): the folder
// itself when it holds bin\java.dll, else the first of the subfolders
// jre\ and runtime\ that does; empty when none.
std::wstring runtimeHomeIn(const std::wstring& folder);

// What the application asks of a runtime: the registry pass's criteria and
// the settings that decide where else to look.
struct RuntimeRequirements : RuntimeCriteria {
    bool hasPairProduct = false;  // "Pair Product" is set: the other view may be searched
    bool useJavaHome = false;     // "Use JAVA_HOME"
};

// The version named by the release file in `home`; false, with 0.0.0.0,
// when there is none or it names no version.
bool readReleaseVersion(const std::wstring& home, JavaVersion& version);

// The JVM library of the runtime that JAVA_HOME names, or of the jre\ folder
// in it as a Java 8 JDK has one, when its release version lies within the
// limits (a runtime without one counts as 0.0.0.0) and it can be hosted: by
// this build, or by the pair when `canHandOver`, which sets `handOver`.
// Empty otherwise.
std::wstring findJavaHomeLibrary(const JavaVersion& versionMin, const JavaVersion& versionMax, JvmTypeMode mode,
                                 bool canHandOver, bool& handOver);

// One pass over the registered runtimes of one registry view. A pass over
// kPairedRegistryView finds nothing without a pair product; the caller
// marks a successful one as a paired launch. `version`, when given, receives
// the chosen runtime's version as its registration names it.
bool searchRegistry(const RuntimeRequirements& requirements, RegistryView view, std::wstring& home,
                    JavaVersion* version = nullptr);
bool searchRegisteredRuntimes(const RuntimeCriteria& criteria, RegistryView view, std::wstring& home,
                              JavaVersion* version = nullptr);

enum class RuntimeOrigin { JrePath, Local, JavaHome, Registry, PairedRegistry, Chosen };

// The runtime a start goes on with.
struct RuntimeChoice {
    std::wstring library;  // its jvm.dll
    RuntimeOrigin origin = RuntimeOrigin::JrePath;
    // Of the other architecture: the paired executable hosts it.
    bool paired = false;
    // From its registration, else from its home's release file; 0.0.0.0 when neither tells.
    JavaVersion version;
};

struct RuntimeSearch {
    RuntimeRequirements requirements;
    std::wstring jrePath;           // "JRE Path" as it stands, or empty
    std::wstring executableFolder;  // ends in a backslash
    // Started by its pair: handing over again could start the two forever.
    bool startedByPair = false;
};

// "JRE Path", then a runtime beside the executable, then JAVA_HOME when
// asked for, then the registry: the own view, and the other one with a pair
// product. Nothing when none fits.
std::optional<RuntimeChoice> findRuntime(const RuntimeSearch& search);

// A runtime the user picked: paired when it is foreign and a pair may host it.
RuntimeChoice chosenRuntime(const RuntimeSearch& search, std::wstring library);

// True when the library is a PE image for a machine other than this build's.
bool isForeignMachineLibrary(const std::wstring& libraryPath);
