// Java values the launcher makes and reads through JNI, and the exceptions
// those calls leave pending. Every helper deletes the local references it
// makes for itself: a thread that stays attached would keep them forever.
#pragma once

#include <jni.h>

#include <string>
#include <vector>

// A local reference, or null (with the exception, if any, left pending).
jstring newJavaString(JNIEnv* env, const std::wstring& text);
jobjectArray newJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& list);

// Modified UTF-8 back to UTF-16; empty for a null string.
std::wstring javaStringText(JNIEnv* env, jstring text);

// A java.io.PrintStream over `output`; null (with the exception, if any,
// left pending) when the JVM cannot make one.
jobject newPrintStream(JNIEnv* env, jobject output);

// Whether an exception is pending; holds no reference to it afterwards.
bool exceptionPending(JNIEnv* env);

// Prints a pending exception to System.err, which clears it, so the caller
// can go on calling into the JVM; does nothing when none is pending.
void describePending(JNIEnv* env);
