// Loading the JVM library and taking its entry points.
#pragma once

#include <jni.h>

#include <cstdint>
#include <string>

#include "core/Failure.h"

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM** vm, void** env, void* args);
using GetDefaultInitArgsFunction = jint(JNICALL*)(void* args);
using FindClassFromBootLoaderFunction = jclass(JNICALL*)(JNIEnv* env, const char* name);

struct JvmEntryPoints {
    CreateJavaVmFunction createJavaVm = nullptr;
    GetDefaultInitArgsFunction getDefaultInitArgs = nullptr;
    // Optional: the runtime's own launcher helper is reached through it.
    FindClassFromBootLoaderFunction findClassFromBootLoader = nullptr;
};

// The library stays loaded for the life of the process.
MaybeFailure loadJvmLibrary(const std::wstring& path, JvmEntryPoints& entryPoints);

// The JVM's own default, 0 when it reports none.
uint32_t defaultJavaStackSize(const JvmEntryPoints& entryPoints);
