#include <cstddef>
#include <cstdint>
#include <string>

#include "core/SettingsTable.h"

namespace {

std::wstring upperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
    }
    return upper;
}

}  // namespace

// Any bytes give names and values inside the text, each on one line without
// a U+0000 and every name without a blank in front; a lookup ignores ASCII
// letter case.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const SettingsEncoding encoding = settingsEncoding(bytes);
    std::wstring text;
    if (encoding >= SettingsEncoding::Utf16LittleEndian) {
        text = utf16SettingsText(bytes, encoding == SettingsEncoding::Utf16BigEndian);
        if (text.size() != size / 2 - 1) __builtin_trap();
    } else {
        // Latin-1 stands in for the machine's code page.
        for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    const SettingsTable table = parseSettingsText(text);
    std::wstring_view section;
    for (const SettingsLine& line : table) {
        for (std::wstring_view part : {line.name, line.value}) {
            if (part.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos) __builtin_trap();
            if (!part.empty() && (part.data() < text.data() || part.data() + part.size() > text.data() + text.size())) {
                __builtin_trap();
            }
        }
        if (!line.name.empty() && line.name.front() == L' ') __builtin_trap();
        if (line.isSection) {
            section = line.name;
        } else if (settingsValue(table, upperCase(section), upperCase(line.name)) !=
                   settingsValue(table, section, line.name)) {
            __builtin_trap();
        }
    }
    return 0;
}
