#include "hosting/JavaValues.h"

#include <cstring>

#include "hosting/ModifiedUtf8.h"

static_assert(sizeof(wchar_t) == sizeof(jchar), "UTF-16 text is handed to Java as it is");

// NewString runs no Java code, where a String constructor would: in a
// runtime that compiles each method on first use that costs start-up time.
jstring newJavaString(JNIEnv* env, const std::wstring& text) {
    return env->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
}

jobjectArray newJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& list) {
    jclass stringClass = env->FindClass("java/lang/String");
    if (!stringClass) return nullptr;
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(list.size()), stringClass, nullptr);
    env->DeleteLocalRef(stringClass);
    if (!array) return nullptr;
    // One element at a time: the JVM guarantees a thread only 16 local references.
    for (size_t i = 0; i < list.size(); ++i) {
        jstring element = newJavaString(env, list[i]);
        if (!element) {
            env->DeleteLocalRef(array);
            return nullptr;
        }
        env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
        env->DeleteLocalRef(element);
    }
    return array;
}

std::wstring javaStringText(JNIEnv* env, jstring text) {
    if (!text) return std::wstring();
    const char* bytes = env->GetStringUTFChars(text, nullptr);
    if (!bytes) return std::wstring();
    std::wstring decoded = decodeModifiedUtf8(bytes, std::strlen(bytes));
    env->ReleaseStringUTFChars(text, bytes);
    return decoded;
}

jobject newPrintStream(JNIEnv* env, jobject output) {
    jclass printClass = env->FindClass("java/io/PrintStream");
    if (!printClass) return nullptr;
    jmethodID constructor = env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V");
    jobject stream = constructor ? env->NewObject(printClass, constructor, output) : nullptr;
    env->DeleteLocalRef(printClass);
    return stream;
}

bool exceptionPending(JNIEnv* env) {
    jthrowable pending = env->ExceptionOccurred();
    if (!pending) return false;
    // On a thread that stays attached the reference would live as long as it.
    env->DeleteLocalRef(pending);
    return true;
}

void describePending(JNIEnv* env) {
    if (exceptionPending(env)) env->ExceptionDescribe();
}
