// Which paths the diagnostics log may be opened by. Whoever sets the
// environment or the settings of a start by a privileged account names the
// file, so a path that reaches a device, a pipe or a stream is refused by its
// name, and the file opened must be the one the path names, reached through
// no link.
#pragma once

#include <string>

// A full path of a file on a drive (C:\..., \\?\C:\...) or a share
// (\\server\share\..., \\?\UNC\server\share\...) and nothing else: no other
// \\.\ or \\?\ form, no pipe or mailslot share, no "." or ".." part, no
// character a file name cannot hold (a colon is a stream), and no part named
// as a device (NUL, CON, CONIN$, COM1, LPT¹, ... in any letter case, with or
// without an extension).
bool isPlainFilePath(const std::wstring& path);

// The path the system reports for an open file equals the one it was opened
// by, the \\?\ and \\?\UNC\ prefixes aside. ASCII letters match in either
// case, as the file system matches them; any other character must be the same.
bool sameFilePath(const std::wstring& reported, const std::wstring& opened);
