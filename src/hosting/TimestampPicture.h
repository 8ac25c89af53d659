// Start-time pictures in output file names: "app_%yyyy-MM-dd_HH.mm.ss%.log".
#pragma once

#include <string>

struct TimestampName {
    std::wstring before;   // up to the first "%"
    std::wstring picture;  // between the first and the last "%"
    std::wstring after;    // after the last "%"
};

// False when the name holds no "%".
bool splitTimestampName(const std::wstring& name, TimestampName& parts);

// Every "L" becomes the milliseconds without leading zeros.
std::wstring insertMilliseconds(const std::wstring& picture, unsigned milliseconds);
