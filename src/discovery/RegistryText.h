// Text from a registry value, which the registry does not vouch for: the
// stored bytes may lack their terminating NUL or belong to another type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t kRegistryString = 1;          // REG_SZ
constexpr uint32_t kRegistryExpandString = 2;    // REG_EXPAND_SZ

// The text up to the first NUL or the end of the data, for the two string
// types only; false for any other type. Reads exactly `size` bytes at most.
bool registryText(uint32_t type, const uint8_t* data, size_t size, std::wstring& text);
