// The only ways launcher text becomes Java strings, and Java text comes back.
#pragma once

#include <jni.h>

#include <string>
#include <vector>

// A local reference, or null (with the exception, if any, left pending).
jstring newJavaString(JNIEnv* env, const std::wstring& text);
jobjectArray newJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& list);

// Modified UTF-8 back to UTF-16; empty for a null string.
std::wstring javaStringText(JNIEnv* env, jstring text);
