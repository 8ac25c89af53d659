#include "core/SettingsTable.h"

namespace {

// Besides the C whitespace, ^Z: old editors ended files with it.
bool isBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring_view trimmed(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The profile functions keep names and values as C strings.
std::wstring_view untilNul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

std::wstring_view unquoted(std::wstring_view value) {
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

wchar_t asciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

}  // namespace

SettingsTable parseSettingsText(std::wstring_view text) {
    SettingsTable table;
    while (!text.empty()) {
        const size_t end = text.find_first_of(L"\r\n");
        const std::wstring_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        if (line.empty()) continue;
        // A "[" line without a closing "]" is a key line.
        const size_t close = line.rfind(L']');
        if (line[0] == L'[' && close != line.npos) {
            table.push_back({true, untilNul(trimmed(line.substr(1, close - 1))), {}});
            continue;
        }
        const size_t equals = line.find(L'=');
        const std::wstring_view value = equals == line.npos ? std::wstring_view() : line.substr(equals + 1);
        table.push_back({false, untilNul(trimmed(line.substr(0, equals))), unquoted(untilNul(trimmed(value)))});
    }
    return table;
}

std::wstring_view settingsValue(const SettingsTable& table, std::wstring_view section, std::wstring_view key) {
    bool inSection = false;
    for (const SettingsLine& line : table) {
        if (line.isSection) {
            if (inSection) break;
            inSection = sameName(line.name, section);
        } else if (inSection && sameName(line.name, key)) {
            return line.value;
        }
    }
    return {};
}

SettingsEncoding settingsEncoding(std::string_view bytes) {
    const auto byte = [bytes](size_t at) { return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0; };
    if (byte(0) == 0xFF && byte(1) == 0xFE) return SettingsEncoding::Utf16LittleEndian;
    if (byte(0) == 0xFE && byte(1) == 0xFF) return SettingsEncoding::Utf16BigEndian;
    if (byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) return SettingsEncoding::AnsiAfterUtf8Mark;
    return SettingsEncoding::Ansi;
}

std::wstring utf16SettingsText(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2 - 1, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i + 2]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 3]);
        text[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}
