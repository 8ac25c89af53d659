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

// Any bytes give names and values on one line and without a U+0000, and
// lookups that ignore ASCII letter case.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsEncoding encoding = settingsEncoding(bytes);
    // Latin-1 stands in for the machine's code page.
    const std::wstring text = encoding >= SettingsEncoding::Utf16LittleEndian
                                  ? utf16SettingsText(bytes, encoding == SettingsEncoding::Utf16BigEndian)
                                  : std::wstring(data, data + size);
    const SettingsTable table = parseSettingsText(text);
    std::wstring_view section;
    for (const SettingsLine& line : table) {
        // Reading every part lets the address sanitizer catch one outside the text.
        for (std::wstring_view part : {line.name, line.value}) {
            if (part.find_first_of(std::wstring_view(L"\r\n\0", 3)) != part.npos) __builtin_trap();
        }
        if (line.isSection) {
            section = line.name;
        } else if (settingsValue(table, upperCase(section), upperCase(line.name)) !=
                   settingsValue(table, section, line.name)) {
            __builtin_trap();
        }
    }
    return 0;
}
