// Java streams the launcher builds for its own use.
#pragma once

#include <jni.h>

// A java.io.PrintStream over `output`; null (with the exception, if any,
// left pending) when the JVM cannot make one.
jobject newPrintStream(JNIEnv* env, jobject output);
