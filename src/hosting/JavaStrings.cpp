#include "hosting/JavaStrings.h"

#include "hosting/ModifiedUtf8.h"

#include <cstring>

static_assert(sizeof(wchar_t) == sizeof(jchar), "UTF-16 text is handed to Java as it is");

jstring newJavaString(JNIEnv* env, const std::wstring& text) {
    jclass stringClass = env->FindClass("java/lang/String");
    if (!stringClass) return nullptr;
    jmethodID constructor = env->GetMethodID(stringClass, "<init>", "([C)V");
    if (!constructor) return nullptr;
    auto length = static_cast<jsize>(text.size());
    jcharArray chars = env->NewCharArray(length);
    if (!chars) return nullptr;
    env->SetCharArrayRegion(chars, 0, length, reinterpret_cast<const jchar*>(text.data()));
    jstring result = nullptr;
    if (!env->ExceptionOccurred()) result = static_cast<jstring>(env->NewObject(stringClass, constructor, chars));
    env->DeleteLocalRef(chars);
    return result;
}

jobjectArray newJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& list) {
    jclass stringClass = env->FindClass("java/lang/String");
    if (!stringClass) return nullptr;
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(list.size()), stringClass, nullptr);
    if (!array) return nullptr;
    for (size_t i = 0; i < list.size(); ++i) {
        jstring element = newJavaString(env, list[i]);
        if (!element) return nullptr;
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
