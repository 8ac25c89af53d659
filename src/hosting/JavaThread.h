// The Java thread: create the VM, call main, report an escaped exception,
// destroy the VM.
#pragma once

#include <jni.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Failure.h"
#include "hosting/JavaSession.h"
#include "hosting/JvmLibrary.h"
#include "hosting/OutputRedirection.h"

// Everything the Java thread needs, decided before it starts.
struct JavaLaunch {
    JvmEntryPoints entryPoints;
    std::vector<std::string> options;  // as the JVM receives them, in order
    OutputRedirection output;
    std::wstring mainClass;  // slash-separated; empty when the main module names it
    // "module" or "module/class" (the class dotted); empty for a class on the class path.
    std::wstring mainModule;
    std::vector<std::wstring> arguments;
    bool failureCheck = false;
    // Such runtimes end the process themselves: threads stay attached.
    bool keepsThreadsAttached = false;
    uint32_t stackSize = 0;  // 0: the JVM's own default
    // A service's state follows these: main about to be called, and the
    // JVM's exit hook with System.exit's status.
    void (*mainStarting)() = nullptr;
    void (*exiting)(int status) = nullptr;
};

// Runs the Java thread and waits for it. Nothing when main was called and
// the VM destroyed; else the failure, the VM already gone. `closeSplash`
// runs before an escaped exception is reported.
MaybeFailure runJavaThread(const JavaLaunch& launch, JavaSession& session, std::function<void()> closeSplash);

// System.exit(status); returns only when the call did not end the process.
bool callSystemExit(JNIEnv* env, jint status);
