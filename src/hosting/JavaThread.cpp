#include "hosting/JavaThread.h"

#include <algorithm>

#include "core/ErrorReporting.h"
#include "core/Launcher.h"
#include "core/win/Scoped.h"
#include "hosting/ExceptionReport.h"
#include "hosting/JvmLibrary.h"
#include "hosting/ModifiedUtf8.h"
#include "resources/resource.h"
#include "splash/SplashControl.h"

#include <cstring>

namespace {

// Through the runtime's own launcher helper, which reports its failures itself.
jclass loadMainClassThroughHelper(const Launcher& launcher, JNIEnv* env) {
    if (!launcher.jvm.findClassFromBootLoader) return nullptr;
    jclass helper = launcher.jvm.findClassFromBootLoader(env, "sun/launcher/LauncherHelper");
    if (!helper) {
        if (env->ExceptionOccurred()) env->ExceptionClear();
        return nullptr;
    }
    jmethodID checkAndLoad =
        env->GetStaticMethodID(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    if (!checkAndLoad) {
        env->ExceptionClear();
        return nullptr;
    }
    std::wstring dotted = launcher.settings.mainClass;
    std::replace(dotted.begin(), dotted.end(), L'/', L'.');
    jstring name = newJavaString(env, dotted);
    if (!name) {
        env->ExceptionClear();
        return nullptr;
    }
    auto mainClass = static_cast<jclass>(env->CallStaticObjectMethod(helper, checkAndLoad, JNI_TRUE, 1, name));
    // The helper has printed its own error; the direct lookup below gets a clean slate.
    if (!mainClass && env->ExceptionOccurred()) env->ExceptionClear();
    return mainClass;
}

jclass loadMainClassDirectly(const Launcher& launcher, JNIEnv* env) {
    const std::wstring& mainClass = launcher.settings.mainClass;
    jstring name = newJavaString(env, mainClass);
    if (!name) {
        showErrorFormat1(launcher.messageOwner(), IDS_MAIN_CLASS_NOT_LOADED, mainClass);
        return nullptr;
    }
    const char* utf = env->GetStringUTFChars(name, nullptr);
    if (!utf) {
        env->ExceptionDescribe();
        return nullptr;
    }
    jclass cls = env->FindClass(utf);
    std::wstring text = cls ? std::wstring() : decodeModifiedUtf8(utf, std::strlen(utf));
    env->ReleaseStringUTFChars(name, utf);
    if (!cls) {
        env->ExceptionDescribe();
        showErrorFormat1(launcher.messageOwner(), IDS_MAIN_CLASS_NOT_FOUND, text);
    }
    return cls;
}

void handleEscapedException(Launcher& launcher, JNIEnv* env) {
    jthrowable exception = env->ExceptionOccurred();
    if (!exception) return;
    closeSplash(launcher);
    if (!launcher.settings.failureCheck) {
        // As the JVM would for an uncaught exception: the trace goes to System.err.
        env->ExceptionDescribe();
        return;
    }
    if (reportUncaughtException(env, exception) == ExceptionOutcome::Stop) callSystemExit(env);
    if (env->ExceptionOccurred()) env->ExceptionClear();
}

// After a failure the VM must not outlive this thread: the thread that
// created it stays counted as a live Java thread, so a later DestroyJavaVM
// from anywhere else would wait for it forever.
DWORD abandonVm(Launcher& launcher) {
    JNIEnv* env = launcher.jvm.jniEnv;
    if (env && env->ExceptionOccurred()) env->ExceptionClear();
    destroyJvm(launcher);
    return 1;
}

}  // namespace

bool invokeMain(Launcher& launcher) {
    JNIEnv* env = launcher.jvm.jniEnv;
    jclass mainClass = loadMainClassThroughHelper(launcher, env);
    if (!mainClass) mainClass = loadMainClassDirectly(launcher, env);
    if (!mainClass) return false;

    jmethodID mainMethod = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (!mainMethod) {
        if (env->ExceptionOccurred()) {
            env->ExceptionDescribe();
        } else {
            showError(launcher.messageOwner(), MAKEINTRESOURCEW(IDS_MAIN_METHOD_MISSING));
        }
        return false;
    }
    jobjectArray arguments = newJavaStringArray(env, launcher.arguments);
    if (!arguments) {
        env->ExceptionDescribe();
        return false;
    }
    if (launcher.mainStartedEvent) SetEvent(launcher.mainStartedEvent.get());
    env->CallStaticVoidMethod(mainClass, mainMethod, arguments);
    handleEscapedException(launcher, env);

    const ProviderFlags& provider = launcher.settings.provider;
    if (provider.allowIbm || provider.favorIbm) {
        // Such runtimes end the process themselves; returning would destroy the VM under them.
        for (;;) Sleep(INFINITE);
    }
    return launcher.jvm.javaVm->DetachCurrentThread() == JNI_OK;
}

bool callSystemExit(JNIEnv* env) {
    jclass system = env->FindClass("java/lang/System");
    if (!system) return false;
    jmethodID exit = env->GetStaticMethodID(system, "exit", "(I)V");
    if (!exit) return false;
    env->CallStaticVoidMethod(system, exit, -1);
    if (env->ExceptionOccurred()) {
        env->ExceptionDescribe();
        return false;
    }
    return true;
}

DWORD WINAPI javaThreadMain(void* parameter) {
    auto* launcher = static_cast<Launcher*>(parameter);
    if (!launcher) return 1;
    if (!createJvm(*launcher)) return 1;
    if (!invokeMain(*launcher)) return abandonVm(*launcher);
    destroyJvm(*launcher);
    return 0;
}

uint32_t runJavaThread(Launcher& launcher) {
    if (launcher.javaStackSize == 0) launcher.javaStackSize = defaultJavaStackSize(launcher);
    ScopedHandle thread(CreateThread(nullptr, launcher.javaStackSize, javaThreadMain, &launcher, 0, nullptr));
    if (!thread) return javaThreadMain(&launcher);
    WaitForSingleObject(thread.get(), INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread.get(), &code);
    return code;
}
