// Pointing System.out and System.err at the files named in the settings.
#pragma once

#include <windows.h>

#include <jni.h>

#include <string>

class Launcher;

enum class StandardStream { Output, Error };

// Right after the VM is created; a failure leaves that stream as it was.
void redirectStandardStreams(Launcher& launcher);

// The picture between the first and last "%" formatted with `time`.
std::wstring expandTimestamp(const std::wstring& name, const SYSTEMTIME& time);

bool redirectStream(JNIEnv* env, const std::wstring& name, bool append, StandardStream stream);

// Creates the missing folders above the file; best effort.
void ensureParentFolders(const std::wstring& path);
