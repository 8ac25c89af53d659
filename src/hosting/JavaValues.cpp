#include "hosting/JavaValues.h"

#include <cstring>

#include "hosting/ModifiedUtf8.h"

static_assert(sizeof(wchar_t) == sizeof(jchar), "UTF-16 text is handed to Java as it is");

namespace {

// java.lang.String and its String(char[]) constructor, looked up once for
// any number of strings. Every reference made here is deleted again: the
// JVM guarantees a thread only 16 local references, and those of the Java
// thread and of workers that stay attached are never freed otherwise.
class StringMaker {
public:
    explicit StringMaker(JNIEnv* env) : env_(env), class_(env->FindClass("java/lang/String")) {
        if (class_) constructor_ = env->GetMethodID(class_, "<init>", "([C)V");
    }
    ~StringMaker() {
        if (class_) env_->DeleteLocalRef(class_);
    }
    StringMaker(const StringMaker&) = delete;
    StringMaker& operator=(const StringMaker&) = delete;

    bool ready() const { return constructor_ != nullptr; }
    jclass stringClass() const { return class_; }

    jstring make(const std::wstring& text) const {
        auto length = static_cast<jsize>(text.size());
        jcharArray chars = env_->NewCharArray(length);
        if (!chars) return nullptr;
        env_->SetCharArrayRegion(chars, 0, length, reinterpret_cast<const jchar*>(text.data()));
        jstring result = nullptr;
        if (!exceptionPending(env_)) result = static_cast<jstring>(env_->NewObject(class_, constructor_, chars));
        env_->DeleteLocalRef(chars);
        return result;
    }

private:
    JNIEnv* env_;
    jclass class_;
    jmethodID constructor_ = nullptr;
};

}  // namespace

jstring newJavaString(JNIEnv* env, const std::wstring& text) {
    StringMaker maker(env);
    return maker.ready() ? maker.make(text) : nullptr;
}

jobjectArray newJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& list) {
    StringMaker maker(env);
    if (!maker.ready()) return nullptr;
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(list.size()), maker.stringClass(), nullptr);
    if (!array) return nullptr;
    for (size_t i = 0; i < list.size(); ++i) {
        jstring element = maker.make(list[i]);
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
