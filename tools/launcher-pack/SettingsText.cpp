#include "SettingsText.h"

#include "Utf.h"

namespace {

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool sameText(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t index = 0; index < a.size(); ++index) {
        if (lower(a[index]) != lower(b[index])) return false;
    }
    return true;
}

std::u16string trimmed(const std::u16string& text) {
    size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return {};
    size_t last = text.find_last_not_of(u" \t");
    return text.substr(first, last - first + 1);
}

// The section a line opens, or false.
bool sectionOf(const std::u16string& line, std::u16string& section) {
    std::u16string text = trimmed(line);
    if (text.size() < 2 || text.front() != u'[') return false;
    size_t close = text.find(u']');
    if (close == std::u16string::npos) return false;
    section = trimmed(text.substr(1, close - 1));
    return true;
}

bool keyOf(const std::u16string& line, std::u16string& key) {
    size_t equals = line.find(u'=');
    if (equals == std::u16string::npos) return false;
    key = trimmed(line.substr(0, equals));
    return true;
}

std::u16string decodeText(const Bytes& file) {
    if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xFE) {
        std::u16string text;
        for (size_t at = 2; at + 1 < file.size(); at += 2) text.push_back(static_cast<char16_t>(read16(file, at)));
        return text;
    }
    size_t start = file.size() >= 3 && file[0] == 0xEF && file[1] == 0xBB && file[2] == 0xBF ? 3 : 0;
    std::string bytes(file.begin() + start, file.end());
    std::u16string text;
    if (utf8ToUtf16(bytes, text)) return text;
    return std::u16string(file.begin() + start, file.end());
}

}  // namespace

SettingsText SettingsText::decode(const Bytes& file) {
    SettingsText settings;
    std::u16string text = decodeText(file);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        settings.lines_.push_back(line);
        start = end + 1;
    }
    return settings;
}

void SettingsText::set(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    std::u16string line = key + u"=" + value;
    bool inSection = false;
    size_t sectionEnd = lines_.size();
    bool found = false;
    for (size_t index = 0; index < lines_.size(); ++index) {
        std::u16string name;
        if (sectionOf(lines_[index], name)) {
            if (inSection) {
                sectionEnd = index;
                break;
            }
            inSection = sameText(name, section);
            found = found || inSection;
            continue;
        }
        std::u16string existing;
        if (inSection && keyOf(lines_[index], existing) && sameText(existing, key)) {
            lines_[index] = line;
            return;
        }
    }
    if (!found) {
        lines_.push_back(u"[" + section + u"]");
        lines_.push_back(line);
        return;
    }
    // After the section's last non-empty line, so a blank line before the next one stays.
    while (sectionEnd > 0 && trimmed(lines_[sectionEnd - 1]).empty()) --sectionEnd;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd), line);
}

std::u16string SettingsText::get(const std::u16string& section, const std::u16string& key) const {
    bool inSection = false;
    for (const std::u16string& line : lines_) {
        std::u16string name;
        if (sectionOf(line, name)) {
            inSection = sameText(name, section);
            continue;
        }
        if (inSection && keyOf(line, name) && sameText(name, key)) return line.substr(line.find(u'=') + 1);
    }
    return {};
}

Bytes SettingsText::encode() const {
    Bytes file = {0xFF, 0xFE};
    for (const std::u16string& line : lines_) {
        appendText16(file, line);
        appendText16(file, u"\r\n");
    }
    return file;
}
