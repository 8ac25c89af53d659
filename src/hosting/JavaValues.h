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

// A local frame around a step that makes several references: they all go
// with it. Without room for it, an OutOfMemoryError is pending and the step
// must make none.
class LocalFrame {
public:
    explicit LocalFrame(JNIEnv* env) : env_(env), pushed_(env->PushLocalFrame(16) == JNI_OK) {}
    ~LocalFrame() {
        if (pushed_) env_->PopLocalFrame(nullptr);
    }
    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;

    bool pushed() const { return pushed_; }

    // Pops the frame now, keeping `result` as a reference of the frame around it.
    jobject keep(jobject result) {
        if (!pushed_) return result;
        pushed_ = false;
        return env_->PopLocalFrame(result);
    }

private:
    JNIEnv* env_;
    bool pushed_;
};
