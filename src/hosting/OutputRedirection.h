// Pointing System.out and System.err at the files named in the settings.
#pragma once

#include <windows.h>

#include <jni.h>

#include <string>

// Where System.out and System.err go; names already expanded, start-time
// pictures still in place.
struct OutputRedirection {
    std::wstring outputFile;
    bool outputAppend = false;
    std::wstring errorFile;
    bool errorAppend = false;
};

enum class StandardStream { Output, Error };

// Right after the VM is created; a failure leaves that stream as it was.
void redirectStandardStreams(JNIEnv* env, OutputRedirection output);

// The picture between the first and last "%" formatted with `time`.
std::wstring expandTimestamp(const std::wstring& name, const SYSTEMTIME& time);

bool redirectStream(JNIEnv* env, const std::wstring& name, bool append, StandardStream stream);

// Creates the missing folders above the file; best effort.
void ensureParentFolders(const std::wstring& path);
