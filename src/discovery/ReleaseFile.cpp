#include "discovery/ReleaseFile.h"

#include <string_view>

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool parseReleaseVersion(const uint8_t* data, size_t size, JavaVersion& version) {
    version = JavaVersion{};
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != "JAVA_VERSION") continue;
        const std::string_view value = unquoted(trimmed(line.substr(equals + 1)));
        // Bytes above ASCII become characters that are no digits, so any encoding parses alike.
        std::wstring wide;
        for (char c : value) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
        return parseVersion(wide, kVersionFillMin, version);
    }
    return false;
}
