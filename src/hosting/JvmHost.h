// The JVM library's entry points and the created VM.
#pragma once

#include <jni.h>

#include <string>

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM** vm, void** env, void* args);
using GetDefaultInitArgsFunction = jint(JNICALL*)(void* args);
using FindClassFromBootLoaderFunction = jclass(JNICALL*)(JNIEnv* env, const char* name);

struct JvmHost {
    CreateJavaVmFunction createJavaVm = nullptr;
    GetDefaultInitArgsFunction getDefaultInitArgs = nullptr;
    FindClassFromBootLoaderFunction findClassFromBootLoader = nullptr;
    JavaVM* javaVm = nullptr;
    JNIEnv* jniEnv = nullptr;  // the Java thread's own environment
};

// Where System.out and System.err go; names already expanded.
struct OutputRedirection {
    std::wstring outputFile;
    bool outputAppend = false;
    std::wstring errorFile;
    bool errorAppend = false;
};
