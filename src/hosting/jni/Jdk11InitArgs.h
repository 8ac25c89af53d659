// The JDK 1.1 initialisation record that JNI_GetDefaultJavaVMInitArgs still
// fills on request; current jni.h headers no longer declare it.
#ifndef LAUNCHER_JDK11_INIT_ARGS_H
#define LAUNCHER_JDK11_INIT_ARGS_H

#include <jni.h>
#include <stdarg.h>
#include <stdio.h>

struct JDK1_1InitArgs {
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    jint minHeapSize;
    jint maxHeapSize;
    jint verifyMode;
    char* classpath;
    jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
    void(JNICALL* exit)(jint code);
    void(JNICALL* abort)(void);
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

#endif
