// Launcher text becoming Java strings, against the JVM double in this
// process. The double allows a thread 16 live local references, the number
// the JVM guarantees, and ends the process on one more.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosting/JavaValues.h"

namespace {

using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

std::wstring fullRuntimeJvm() {
    std::string build = BUILD_DIR;
    std::wstring path(build.begin(), build.end());
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path + L"\\runtimes\\full\\bin\\client\\jvm.dll";
}

// One VM per process, as the double allows; made on the test thread.
JNIEnv* testEnv() {
    static JNIEnv* env = [] {
        SetEnvironmentVariableW(L"JVMDOUBLE_CHAR_ARRAY_LIMIT", L"64");
        HMODULE library = LoadLibraryW(fullRuntimeJvm().c_str());
        auto create =
            library
                ? reinterpret_cast<CreateJavaVm>(reinterpret_cast<void*>(GetProcAddress(library, "JNI_CreateJavaVM")))
                : nullptr;
        JavaVMInitArgs args{};
        args.version = JNI_VERSION_1_2;
        JavaVM* vm = nullptr;
        void* created = nullptr;
        if (!create || create(&vm, &created, &args) != JNI_OK) created = nullptr;
        return static_cast<JNIEnv*>(created);
    }();
    return env;
}

std::vector<std::wstring> elementsOf(JNIEnv* env, jobjectArray array) {
    std::vector<std::wstring> texts;
    for (jsize i = 0; i < env->GetArrayLength(array); ++i) {
        auto element = static_cast<jstring>(env->GetObjectArrayElement(array, i));
        texts.push_back(javaStringText(env, element));
        env->DeleteLocalRef(element);
    }
    return texts;
}

class JavaStrings : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(env, nullptr) << "no VM from the double"; }
    JNIEnv* env = testEnv();
};

TEST_F(JavaStrings, ThousandsOfArgumentsFitTheLocalReferencesOfOneFrame) {
    std::vector<std::wstring> arguments;
    for (int i = 0; i < 3000; ++i) arguments.push_back(L"arg-" + std::to_wstring(i));
    arguments.push_back(L"");
    arguments.push_back(L"\u00e5\u00e4\u00f6 \u65e5\u672c");

    jobjectArray array = newJavaStringArray(env, arguments);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(elementsOf(env, array), arguments);
    env->DeleteLocalRef(array);
}

TEST_F(JavaStrings, SingleStringsLeaveNothingBehind) {
    for (int i = 0; i < 100; ++i) {
        jstring text = newJavaString(env, L"one at a time");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(javaStringText(env, text), L"one at a time");
        env->DeleteLocalRef(text);
    }
}

TEST_F(JavaStrings, AFailedElementLeavesItsExceptionAndNoReferences) {
    // Longer than the double's char array limit: NewString throws.
    const std::vector<std::wstring> arguments{L"fits", std::wstring(65, L'x')};
    auto clearPending = [this] {
        jthrowable pending = env->ExceptionOccurred();
        if (!pending) return false;
        env->DeleteLocalRef(pending);
        env->ExceptionClear();
        return true;
    };
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(newJavaStringArray(env, arguments), nullptr);
        ASSERT_TRUE(clearPending());
        ASSERT_EQ(newJavaString(env, arguments[1]), nullptr);
        ASSERT_TRUE(clearPending());
    }
}

}  // namespace
