#include "hosting/JvmLibrary.h"

#include <windows.h>

#include <vector>

#include "core/ErrorReporting.h"
#include "core/Launcher.h"
#include "core/win/EntryPoint.h"
#include "hosting/OutputRedirection.h"
#include "hosting/jni/Jdk11InitArgs.h"
#include "resources/resource.h"

namespace {

// The JVM ends the process itself once the exit hook returns.
void JNICALL vmExitHook(jint) {}
void JNICALL vmAbortHook() {}

template <typename Function>
bool takeEntryPoint(const Launcher& launcher, HMODULE library, const char* name, Function& entry) {
    entry = entryPoint<Function>(library, name);
    if (entry) return true;
    DWORD error = GetLastError();
    showWindowsError(launcher.messageOwner(), IDS_WINDOWS_ERROR, loadString(IDS_CREATE_JAVA_VM_MISSING), error);
    return false;
}

}  // namespace

bool loadJvmLibrary(Launcher& launcher, const std::wstring& path) {
    // Never freed: the VM lives until the process ends.
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library) {
        DWORD error = GetLastError();
        showWindowsError(launcher.messageOwner(), IDS_JVM_LOAD_FAILED, path, error);
        return false;
    }
    JvmHost& jvm = launcher.jvm;
    if (!takeEntryPoint(launcher, library, "JNI_CreateJavaVM", jvm.createJavaVm)) return false;
    if (!takeEntryPoint(launcher, library, "JNI_GetDefaultJavaVMInitArgs", jvm.getDefaultInitArgs)) return false;
    jvm.findClassFromBootLoader = entryPoint<FindClassFromBootLoaderFunction>(library, "JVM_FindClassFromBootLoader");
    return true;
}

bool createJvm(Launcher& launcher) {
    std::vector<JavaVMOption> options;
    options.reserve(launcher.jvmOptions.size() + 2);
    for (std::string& option : launcher.jvmOptions) options.push_back({option.data(), nullptr});
    options.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&vmAbortHook)});
    options.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&vmExitHook)});

    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_2;
    args.nOptions = static_cast<jint>(options.size());
    args.options = options.data();
    args.ignoreUnrecognized = JNI_FALSE;

    JvmHost& jvm = launcher.jvm;
    void* env = nullptr;
    jint result = jvm.createJavaVm(&jvm.javaVm, &env, &args);
    if (result != JNI_OK) {
        jvm.javaVm = nullptr;
        showErrorFormat2(launcher.messageOwner(), IDS_JNI_ERROR, loadString(IDS_CREATE_JAVA_VM_FAILED),
                         jniReason(result));
        return false;
    }
    jvm.jniEnv = static_cast<JNIEnv*>(env);
    redirectStandardStreams(launcher);
    return true;
}

void destroyJvm(Launcher& launcher) {
    JvmHost& jvm = launcher.jvm;
    if (!jvm.javaVm) return;
    jvm.javaVm->DestroyJavaVM();
    jvm.javaVm = nullptr;
    jvm.jniEnv = nullptr;
}

uint32_t defaultJavaStackSize(const Launcher& launcher) {
    static_assert(sizeof(void*) != 4 || sizeof(JDK1_1InitArgs) == 72, "the JVM fills 72 bytes in 32-bit processes");
    JDK1_1InitArgs args{};
    args.version = JNI_VERSION_1_1;
    launcher.jvm.getDefaultInitArgs(&args);
    return args.javaStackSize > 0 ? static_cast<uint32_t>(args.javaStackSize) : 0;
}
