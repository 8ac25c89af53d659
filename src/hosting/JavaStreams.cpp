#include "hosting/JavaStreams.h"

jobject newPrintStream(JNIEnv* env, jobject output) {
    jclass printClass = env->FindClass("java/io/PrintStream");
    if (!printClass) return nullptr;
    jmethodID constructor = env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V");
    if (!constructor) return nullptr;
    return env->NewObject(printClass, constructor, output);
}
