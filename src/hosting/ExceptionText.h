// Text rules for showing a stack trace in a multi-line edit control.
#pragma once

#include <string>

// An edit control breaks lines only at "\r\n"; a message with bare "\n" or
// "\r" inside would otherwise show as one long line.
std::wstring withWindowsLineBreaks(const std::wstring& text);
