// Showing an exception that escaped main and letting the user decide.
#pragma once

#include <jni.h>

#include <string>

enum class ExceptionOutcome { Ignore, Stop };

ExceptionOutcome reportUncaughtException(JNIEnv* env, jthrowable exception);
std::wstring buildStackTraceText(JNIEnv* env, jthrowable exception);
