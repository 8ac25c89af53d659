// What a start calls: the main class, found through the runtime's launcher
// helper, FindClass or the module system, and its main method in the forms
// Java 25 accepts.
#pragma once

#include <jni.h>

#include "core/Failure.h"
#include "hosting/JavaThread.h"

// The main class as a local reference; a failure to show (or a silent one,
// after the JVM's own report) when there is none.
MaybeFailure loadMainClass(JNIEnv* env, const JavaLaunch& launch, jclass& mainClass);

struct MainMethod {
    jmethodID id = nullptr;
    bool isStatic = true;
    bool takesArguments = true;
    jobject instance = nullptr;  // a local reference, for an instance method
};

// public static void main(String[]) as ever; without it a non-private
// main(String[]) before a non-private main(), static or instance, declared
// or inherited, an instance method on an object the class's non-private
// constructor without arguments makes. Message 216 when there is none, a
// silent failure after the JVM's own report.
MaybeFailure findMainMethod(JNIEnv* env, jclass mainClass, MainMethod& main);
