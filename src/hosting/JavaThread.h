// The Java thread: create the VM, call main, report, destroy.
#pragma once

#include <windows.h>

#include <jni.h>

#include <cstdint>

class Launcher;

// 0 when main was called and the VM destroyed; 1 when creation or the call failed.
uint32_t runJavaThread(Launcher& launcher);

// The thread procedure; the parameter is the Launcher.
DWORD WINAPI javaThreadMain(void* launcher);

// Loads the main class and calls main with the application arguments.
bool invokeMain(Launcher& launcher);

// System.exit(-1); returns only when the call did not end the process.
bool callSystemExit(JNIEnv* env);
