// Another process may write anything into the shared block: the walk must
// stay inside it, whatever its size, and a list it reads must survive a
// round trip when it fits. A walk that finds no end reads no list at all,
// which no writer can send: an empty list arrives as one empty string.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "instance/InstanceProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exactly `size` bytes: any read past them is caught by the sanitizer.
    std::vector<unsigned char> raw(data, data + size);
    unpackArguments(raw.data(), raw.size());

    unsigned char block[kBlockSize] = {};
    std::memcpy(block, data, size < kBlockSize ? size : kBlockSize);
    std::vector<std::wstring> list = unpackArguments(block, kBlockSize);
    for (const std::wstring& text : list) {
        if (text.find(L'\0') != std::wstring::npos) __builtin_trap();
    }

    // Whatever the walk reads is a list a writer could have sent.
    if (!list.empty() && packArguments(list, block, kBlockSize) && unpackArguments(block, kBlockSize) != list) {
        __builtin_trap();
    }
    return 0;
}
