#include "hosting/JvmLibrary.h"

#include <windows.h>

#include "core/ErrorReporting.h"
#include "core/win/EntryPoint.h"
#include "hosting/jni/Jdk11InitArgs.h"
#include "resources/resource.h"

namespace {

template <typename Function>
MaybeFailure takeEntryPoint(HMODULE library, const char* name, Function& entry) {
    entry = entryPoint<Function>(library, name);
    if (entry) return std::nullopt;
    DWORD error = GetLastError();
    return windowsFailure(IDS_WINDOWS_ERROR, loadString(IDS_CREATE_JAVA_VM_MISSING), error);
}

}  // namespace

MaybeFailure loadJvmLibrary(const std::wstring& path, JvmEntryPoints& entryPoints) {
    // Never freed: the VM lives until the process ends.
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library) return windowsFailure(IDS_JVM_LOAD_FAILED, path, GetLastError());
    if (MaybeFailure failure = takeEntryPoint(library, "JNI_CreateJavaVM", entryPoints.createJavaVm)) return failure;
    if (MaybeFailure failure =
            takeEntryPoint(library, "JNI_GetDefaultJavaVMInitArgs", entryPoints.getDefaultInitArgs)) {
        return failure;
    }
    entryPoints.findClassFromBootLoader =
        entryPoint<FindClassFromBootLoaderFunction>(library, "JVM_FindClassFromBootLoader");
    return std::nullopt;
}

uint32_t defaultJavaStackSize(const JvmEntryPoints& entryPoints) {
    static_assert(sizeof(void*) != 4 || sizeof(JDK1_1InitArgs) == 72, "the JVM fills 72 bytes in 32-bit processes");
    JDK1_1InitArgs args{};
    args.version = JNI_VERSION_1_1;
    entryPoints.getDefaultInitArgs(&args);
    return args.javaStackSize > 0 ? static_cast<uint32_t>(args.javaStackSize) : 0;
}
