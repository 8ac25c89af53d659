// The class-data archive a Java 19 or later runtime makes and checks itself
// (-XX:+AutoCreateSharedArchive), kept per user so that later starts are quicker.
#pragma once

#include <string>
#include <vector>

// Appends -XX:SharedArchiveFile=<folder>\<archive> and
// -XX:+AutoCreateSharedArchive, making `folder` and the one it is in when
// missing. Nothing when the folder cannot be made or the option cannot
// be written in the thread's ANSI code page, in which JVM options travel.
void addStartupArchiveOptions(const std::wstring& folder, const std::wstring& jvmLibraryPath,
                              const std::wstring& version, const std::wstring& classPath,
                              std::vector<std::string>& options);
