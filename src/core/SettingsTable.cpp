#include "core/SettingsTable.h"

#include "core/SettingsRules.h"

namespace {

// Besides the C whitespace, ^Z: old editors ended files with it.
bool isBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring_view trimmed(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Trimmed, then cut at a U+0000: the profile functions keep names and values as C strings.
std::wstring_view cleaned(std::wstring_view text) {
    text = trimmed(text);
    return text.substr(0, text.find(L'\0'));
}

std::wstring_view unquoted(std::wstring_view value) {
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        return {value.data() + 1, value.size() - 2};
    }
    return value;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

// A line that is not blank, trimmed. A "[" line without a closing "]" is a key line.
SettingsLine settingsLine(std::wstring_view line) {
    const size_t close = line.rfind(L']');
    if (line[0] == L'[' && close != line.npos) return {true, cleaned({line.data() + 1, close - 1}), {}};
    const size_t equals = line.find(L'=');
    const std::wstring_view value = equals == line.npos ? std::wstring_view() : line.substr(equals + 1);
    return {false, cleaned(line.substr(0, equals)), unquoted(cleaned(value))};
}

// Stores the table's lines into `lines` unless it is null; returns their count.
size_t parseLines(std::wstring_view text, SettingsLine* lines) {
    size_t count = 0;
    while (!text.empty()) {
        size_t end = 0;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
        const std::wstring_view line = trimmed({text.data(), end});
        text.remove_prefix(end < text.size() ? end + 1 : end);
        if (line.empty()) continue;
        if (lines != nullptr) lines[count] = settingsLine(line);
        ++count;
    }
    return count;
}

}  // namespace

// Made in two passes, counting and then storing, which costs less code than a growing vector.
SettingsTable parseSettingsText(std::wstring_view text) {
    SettingsTable table(parseLines(text, nullptr));
    parseLines(text, table.data());
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
    if (bytes.size() < 2) return SettingsEncoding::Ansi;
    const unsigned mark = static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    if (mark == 0xFFFE) return SettingsEncoding::Utf16LittleEndian;
    if (mark == 0xFEFF) return SettingsEncoding::Utf16BigEndian;
    return mark == 0xEFBB && bytes.substr(2, 1) == "\xBF" ? SettingsEncoding::AnsiAfterUtf8Mark : SettingsEncoding::Ansi;
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
