#include "hosting/JavaThread.h"

#include <windows.h>


#include "core/ErrorReporting.h"
#include "core/win/DiagnosticLog.h"
#include "core/win/Scoped.h"
#include "core/win/Text.h"
#include "hosting/ExceptionReport.h"
#include "hosting/JavaValues.h"
#include "hosting/MainClass.h"
#include "resources/resource.h"

namespace {

// The exit hook has no context: whom it tells, set before the VM exists.
void (*exitObserver)(int status) = nullptr;

// The abort hook lets the JVM end the process itself once the exit hook returns.
void JNICALL vmExitHook(jint code) {
    logLine("exit code %d: System.exit ends the process", static_cast<int>(code));
    if (exitObserver) exitObserver(code);
}
void JNICALL vmAbortHook() {}

struct JavaThreadRun {
    const JavaLaunch& launch;
    JavaSession& session;
    std::function<void()> closeSplash;
    JNIEnv* env = nullptr;
    MaybeFailure failure;
};

MaybeFailure createJvm(JavaThreadRun& run) {
    std::vector<std::string> texts = run.launch.options;
    std::vector<JavaVMOption> options;
    options.reserve(texts.size() + 2);
    for (std::string& option : texts) options.push_back({option.data(), nullptr});
    options.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&vmAbortHook)});
    options.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&vmExitHook)});

    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_2;
    args.nOptions = static_cast<jint>(options.size());
    args.options = options.data();
    args.ignoreUnrecognized = JNI_FALSE;

    if (logIsOn()) {
        for (const std::string& option : run.launch.options) {
            logLine("JVM option %s", fromThreadAnsi(option).c_str());
        }
    }
    JavaVM* vm = nullptr;
    void* env = nullptr;
    exitObserver = run.launch.exiting;
    const unsigned started = logClock();
    jint result = run.launch.entryPoints.createJavaVm(&vm, &env, &args);
    logLine("JNI_CreateJavaVM: %d", static_cast<int>(result));
    logPhase("JVM creation", started);
    if (result != JNI_OK) {
        return failureMessage(IDS_JNI_ERROR, {loadString(IDS_CREATE_JAVA_VM_FAILED), jniReason(result)});
    }
    run.env = static_cast<JNIEnv*>(env);
    run.session.openVm(vm);
    redirectStandardStreams(run.env, run.launch.output);
    return std::nullopt;
}

void handleEscapedException(JavaThreadRun& run) {
    JNIEnv* env = run.env;
    jthrowable exception = env->ExceptionOccurred();
    logLine(exception ? "main ended by an exception" : "main returned");
    if (!exception) return;
    if (run.closeSplash) run.closeSplash();
    if (logIsOn()) {
        logLine("uncaught exception: %s", buildStackTraceText(env, exception).c_str());
        // Writing the trace cleared it; it is pending again for what follows.
        env->Throw(exception);
    }
    if (!run.launch.failureCheck) {
        // As the JVM would for an uncaught exception: the trace goes to System.err.
        env->ExceptionDescribe();
    } else {
        if (reportUncaughtException(env, exception) == ExceptionOutcome::Stop) callSystemExit(env, -1);
        if (exceptionPending(env)) env->ExceptionClear();
    }
    env->DeleteLocalRef(exception);
}

// Calls main and deals with an exception that escapes it; false with
// `run.failure` set when main could not be called.
bool callMain(JavaThreadRun& run, jclass mainClass) {
    JNIEnv* env = run.env;
    MainMethod main;
    run.failure = findMainMethod(env, mainClass, main);
    if (run.failure) return false;
    jobjectArray arguments = main.takesArguments ? newJavaStringArray(env, run.launch.arguments) : nullptr;
    if (main.takesArguments && !arguments) {
        env->ExceptionDescribe();
        run.failure = silentFailure();
        return false;
    }
    // Later starts are served by the same class, whatever found it.
    run.session.keepMainClass(static_cast<jclass>(env->NewGlobalRef(mainClass)));
    run.session.signalMainStarted();
    if (run.launch.mainStarting) run.launch.mainStarting();
    logLine("main called");
    if (main.isStatic) {
        env->CallStaticVoidMethod(mainClass, main.id, arguments);
    } else {
        env->CallVoidMethod(main.instance, main.id, arguments);
    }
    handleEscapedException(run);
    if (arguments) env->DeleteLocalRef(arguments);
    if (main.instance) env->DeleteLocalRef(main.instance);
    return true;
}

// False with `run.failure` set when main could not be called.
bool invokeMain(JavaThreadRun& run) {
    jclass mainClass = nullptr;
    run.failure = loadMainClass(run.env, run.launch, mainClass);
    if (run.failure) return false;
    const bool called = callMain(run, mainClass);
    run.env->DeleteLocalRef(mainClass);
    if (!called) return false;

    if (run.launch.keepsThreadsAttached) {
        // Such runtimes end the process themselves; returning would destroy the VM under them.
        for (;;) Sleep(INFINITE);
    }
    JavaVM* vm = run.session.vm();
    const jint detached = vm ? vm->DetachCurrentThread() : JNI_ERR;
    logLine("DetachCurrentThread: %d", static_cast<int>(detached));
    if (detached != JNI_OK) {
        run.failure = silentFailure();
        return false;
    }
    return true;
}

DWORD WINAPI javaThreadMain(void* parameter) {
    JavaThreadRun& run = *static_cast<JavaThreadRun*>(parameter);
    run.failure = createJvm(run);
    if (run.failure) return 1;
    if (!invokeMain(run)) {
        // After a failure the VM must not outlive this thread: the thread that
        // created it stays counted as a live Java thread, so a later
        // DestroyJavaVM from anywhere else would wait for it forever.
        if (exceptionPending(run.env)) run.env->ExceptionClear();
    }
    run.session.destroyVm();
    return run.failure ? 1 : 0;
}

}  // namespace

MaybeFailure runJavaThread(const JavaLaunch& launch, JavaSession& session, std::function<void()> closeSplash) {
    JavaThreadRun run{launch, session, std::move(closeSplash), nullptr, std::nullopt};
    const uint32_t stackSize = launch.stackSize ? launch.stackSize : defaultJavaStackSize(launch.entryPoints);
    logLine("Java thread: main class %s, %u arguments, stack size %u bytes", launch.mainClass.c_str(),
            static_cast<unsigned>(launch.arguments.size()), stackSize);
    ScopedHandle thread(CreateThread(nullptr, stackSize, javaThreadMain, &run, 0, nullptr));
    if (!thread) {
        javaThreadMain(&run);
    } else {
        WaitForSingleObject(thread.get(), INFINITE);
    }
    return run.failure;
}

bool callSystemExit(JNIEnv* env, jint status) {
    jclass system = env->FindClass("java/lang/System");
    if (!system) return false;
    jmethodID exit = env->GetStaticMethodID(system, "exit", "(I)V");
    if (exit) env->CallStaticVoidMethod(system, exit, status);
    env->DeleteLocalRef(system);
    if (!exit) return false;
    if (exceptionPending(env)) {
        env->ExceptionDescribe();
        return false;
    }
    return true;
}
