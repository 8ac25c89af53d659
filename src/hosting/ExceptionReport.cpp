#include "hosting/ExceptionReport.h"

#include <windows.h>

#include "hosting/ExceptionDialog.h"
#include "hosting/JavaValues.h"

namespace {

std::wstring nothing(JNIEnv* env) {
    describePending(env);
    return {};
}

}  // namespace

std::wstring buildStackTraceText(JNIEnv* env, jthrowable exception) {
    if (!exception) return {};
    env->ExceptionClear();
    LocalFrame frame(env);
    if (!frame.pushed()) return nothing(env);

    jclass bufferClass = env->FindClass("java/io/ByteArrayOutputStream");
    if (!bufferClass) return nothing(env);
    jmethodID newBuffer = env->GetMethodID(bufferClass, "<init>", "()V");
    if (!newBuffer) return nothing(env);
    jobject buffer = env->NewObject(bufferClass, newBuffer);
    if (!buffer) return nothing(env);

    jobject stream = newPrintStream(env, buffer);
    if (!stream) return nothing(env);

    jclass exceptionClass = env->GetObjectClass(exception);
    if (!exceptionClass) return nothing(env);
    jmethodID printStackTrace = env->GetMethodID(exceptionClass, "printStackTrace", "(Ljava/io/PrintStream;)V");
    if (!printStackTrace) return nothing(env);
    env->CallVoidMethod(exception, printStackTrace, stream);
    // Whatever was printed before it failed is still worth showing.
    describePending(env);

    jclass bufferObjectClass = env->GetObjectClass(buffer);
    if (!bufferObjectClass) return nothing(env);
    jmethodID toString = env->GetMethodID(bufferObjectClass, "toString", "()Ljava/lang/String;");
    if (!toString) return nothing(env);
    auto text = static_cast<jstring>(env->CallObjectMethod(buffer, toString));
    describePending(env);
    if (!text) return {};

    return javaStringText(env, text);
}

ExceptionOutcome reportUncaughtException(JNIEnv* env, jthrowable exception) {
    std::wstring text = buildStackTraceText(env, exception);
    if (text.empty()) return ExceptionOutcome::Ignore;

    ExceptionDialog dialog(text);
    // On the Java thread there is normally no active window, and so no owner.
    return dialog.show(GetActiveWindow()) == IDOK ? ExceptionOutcome::Ignore : ExceptionOutcome::Stop;
}
