// The least a host can do: load jvm.dll, create the VM with the given class
// path and the two hooks, find the main class with FindClass and call main
// with its arguments made by NewString, running no Java code of its own.
// The yardstick for the launcher's own start-up cost. Built twice: as a
// console program, and with GUI_HOST as one that first pays what a GUI start
// costs.
#include <windows.h>

#include <jni.h>

#include <cwchar>
#include <initializer_list>

namespace {

void JNICALL exitHook(jint) {}
void JNICALL abortHook() {}

using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

#ifdef GUI_HOST
// The libraries a launcher with a splash, dialogs and messages uses, and the
// main thread's message queue.
void startGui() {
    for (const wchar_t* name : {L"user32.dll", L"gdi32.dll", L"gdiplus.dll", L"ole32.dll", L"shell32.dll"}) {
        LoadLibraryW(name);
    }
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}
#endif

}  // namespace

// bare_host <jvm.dll> <class path option> <main class, slash form> [argument]...
int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
#ifdef GUI_HOST
    startGui();
#endif
    HMODULE library = LoadLibraryW(argv[1]);
    if (!library) return 3;
    auto create = reinterpret_cast<CreateJavaVm>(reinterpret_cast<void*>(GetProcAddress(library, "JNI_CreateJavaVM")));
    if (!create) return 4;

    char classPath[4096];
    char mainClass[512];
    WideCharToMultiByte(CP_ACP, 0, argv[2], -1, classPath, sizeof classPath, nullptr, nullptr);
    WideCharToMultiByte(CP_ACP, 0, argv[3], -1, mainClass, sizeof mainClass, nullptr, nullptr);
    JavaVMOption options[] = {{classPath, nullptr},
                              {const_cast<char*>("abort"), reinterpret_cast<void*>(&abortHook)},
                              {const_cast<char*>("exit"), reinterpret_cast<void*>(&exitHook)}};
    JavaVMInitArgs args{JNI_VERSION_1_2, 3, options, JNI_FALSE};
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (create(&vm, reinterpret_cast<void**>(&env), &args) != JNI_OK) return 5;

    jclass cls = env->FindClass(mainClass);
    if (!cls) return 6;
    jmethodID main = env->GetStaticMethodID(cls, "main", "([Ljava/lang/String;)V");
    if (!main) return 7;
    jobjectArray arguments = env->NewObjectArray(argc - 4, env->FindClass("java/lang/String"), nullptr);
    for (int i = 4; i < argc; ++i) {
        jstring argument = env->NewString(reinterpret_cast<const jchar*>(argv[i]), static_cast<jsize>(wcslen(argv[i])));
        env->SetObjectArrayElement(arguments, i - 4, argument);
        env->DeleteLocalRef(argument);
    }
    env->CallStaticVoidMethod(cls, main, arguments);
    vm->DestroyJavaVM();
    return 0;
}
