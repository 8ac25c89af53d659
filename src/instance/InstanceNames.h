// Names of the objects that the instances of one executable share.
#pragma once

#include <string>

// The executable's full path with every backslash turned into an underscore:
// copies in different folders never meet.
std::wstring instanceNameOf(const std::wstring& modulePath);

std::wstring mainStartedEventName(const std::wstring& instanceName);

// Held by one later start from writing the block until the running instance
// has copied it, so concurrent starts never overwrite each other's request.
std::wstring writerLockName(const std::wstring& instanceName);

// Signalled by the running instance once it has copied a request.
std::wstring requestCopiedEventName(const std::wstring& instanceName);
