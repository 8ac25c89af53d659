#include "instance/ForwardWorker.h"

#include <jni.h>

#include <memory>
#include <string>

#include "core/Launcher.h"
#include "core/win/ThreadAnsi.h"
#include "hosting/JvmLibrary.h"
#include "instance/ArgumentPacking.h"
#include "instance/RequestListener.h"

namespace {

bool exceptionPending(JNIEnv* env) {
    jthrowable pending = env->ExceptionOccurred();
    if (!pending) return false;
    env->DeleteLocalRef(pending);
    return true;
}

void describePending(JNIEnv* env) {
    if (exceptionPending(env)) env->ExceptionDescribe();
}

void reply(const ForwardRequest& request, int value) {
    PostThreadMessageW(request.requesterThreadId, request.requestMessage, static_cast<WPARAM>(value), 0);
}

void callSecondaryMain(JNIEnv* env, const std::string& className, const ForwardRequest& request) {
    jclass mainClass = env->FindClass(className.c_str());
    if (!mainClass) {
        env->ExceptionClear();
        return;
    }
    bool returnsInt = false;
    jmethodID method = env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)V");
    if (exceptionPending(env)) env->ExceptionClear();
    if (!method) {
        method = env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)I");
        returnsInt = true;
        if (!method) {
            describePending(env);
            return;
        }
    }

    jobjectArray arguments =
        newJavaStringArray(env, unpackArguments(request.block.data(), request.block.size()));
    if (!arguments) {
        describePending(env);
        return;
    }
    if (returnsInt) {
        reply(request, env->CallStaticIntMethod(mainClass, method, arguments));
    } else {
        reply(request, 0);
        env->CallStaticVoidMethod(mainClass, method, arguments);
    }
    describePending(env);
    // A thread that stays attached would otherwise keep these alive.
    env->DeleteLocalRef(arguments);
    env->DeleteLocalRef(mainClass);
}

}  // namespace

DWORD WINAPI forwardWorkerMain(void* parameter) {
    std::unique_ptr<ForwardRequest> request(static_cast<ForwardRequest*>(parameter));
    JavaVM* vm = nullptr;
    std::string className;
    bool stayAttached = false;
    {
        std::unique_lock<std::mutex> held = passGate(*request->gate);
        if (!held.owns_lock()) return 0;
        const Launcher& launcher = *request->gate->launcher;
        vm = launcher.jvm.javaVm;
        className = toThreadAnsi(launcher.settings.mainClass);
        // The same providers keep the Java thread attached after main.
        stayAttached = launcher.settings.provider.allowIbm || launcher.settings.provider.favorIbm;
    }
    if (!vm) return 0;

    JNIEnv* env = nullptr;
    if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return 0;
    callSecondaryMain(env, className, *request);
    if (!stayAttached) vm->DetachCurrentThread();
    return 0;
}
