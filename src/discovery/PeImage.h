// Reading the target machine of a PE image from untrusted bytes.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;

// True when `data` is a PE image ("MZ", a PE signature at e_lfanew) whose
// machine is not `ownMachine`. Reads nothing outside [data, data + size).
bool isForeignMachineImage(const uint8_t* data, size_t size, uint16_t ownMachine);
