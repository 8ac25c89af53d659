// Loading the JVM library, creating and destroying the VM.
#pragma once

#include <jni.h>

#include <cstdint>
#include <string>

#include "hosting/JavaStrings.h"

class Launcher;

// False after its own message has been shown.
bool loadJvmLibrary(Launcher& launcher, const std::wstring& path);

// On the Java thread. False after its own message; on success the standard
// streams have been redirected.
bool createJvm(Launcher& launcher);

// Waits for the last non-daemon Java thread; does nothing without a VM.
void destroyJvm(Launcher& launcher);

// The JVM's own default, 0 when it reports none.
uint32_t defaultJavaStackSize(const Launcher& launcher);
