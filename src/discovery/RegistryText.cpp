#include "discovery/RegistryText.h"

bool registryText(uint32_t type, const uint8_t* data, size_t size, std::wstring& text) {
    text.clear();
    if (type != kRegistryString && type != kRegistryExpandString) return false;
    // An odd trailing byte is half a character and is dropped.
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
        if (c == L'\0') break;
        text += c;
    }
    return true;
}
