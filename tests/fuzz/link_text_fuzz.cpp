// Untrusted registry and label text through the link's text rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "discovery/ui/AnchorColor.h"
#include "discovery/ui/LinkTags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    parseAnchorColor(text);
    const LinkTextParts parts = splitLinkTags(text);
    if (parts.prefix.size() + parts.link.size() + parts.suffix.size() > text.size()) __builtin_trap();
    return 0;
}
