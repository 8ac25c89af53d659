#include "JarManifest.h"

#include <algorithm>

#include "ZipArchive.h"

namespace {

constexpr size_t kLineLimit = 512;  // the runtime's line buffer, the line end included
constexpr size_t kMaxNameLength = 70;
constexpr size_t kMaxManifest = 64u << 20;
constexpr unsigned kModuleOptionsJava = 9;
constexpr unsigned kNativeAccessJava = 16;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t index = 0; index < a.size(); ++index) {
        if (lower(a[index]) != lower(b[index])) return false;
    }
    return true;
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool isValidName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength) return false;
    for (char c : name) {
        if (!isNameCharacter(c)) return false;
    }
    return true;
}

// Reads lines as the runtime does: each ends in LF, CR LF or a lone CR.
class ManifestReader {
public:
    explicit ManifestReader(const std::string& text) : text_(text) {}

    // One section's attributes, up to an empty line or the end.
    bool section(ManifestAttributes& attributes, std::string& error) {
        attributes.clear();
        std::string line;
        bool continued = false;
        while (next(line, error)) {
            if (line.empty()) return true;
            if (line[0] == ' ') {
                if (attributes.empty()) return fail(error, "a continuation line with no header before it");
                attributes.back().second += line.substr(1);
            } else {
                size_t colon = line.find(':');
                if (colon == std::string::npos || colon + 1 == line.size() || line[colon + 1] != ' ') {
                    return fail(error, "a header without \": \": " + line);
                }
                attributes.emplace_back(line.substr(0, colon), line.substr(colon + 2));
            }
            // The runtime takes a value, and checks its name, once the next
            // line does not continue it.
            continued = at_ < text_.size() && text_[at_] == ' ';
            if (!continued && !isValidName(attributes.back().first)) {
                return fail(error, "an invalid header name: " + attributes.back().first);
            }
        }
        if (continued) attributes.pop_back();  // continued by the unended last line
        return error.empty();
    }

    // Skips the empty lines between sections; false at the end.
    bool moreSections() {
        while (at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r')) {
            at_ += text_.compare(at_, 2, "\r\n") == 0 ? 2 : 1;
        }
        return at_ < text_.size();
    }

private:
    static bool fail(std::string& error, const std::string& reason) {
        error = "its manifest has " + reason;
        return false;
    }

    size_t lineEndFrom(size_t start) const {
        size_t end = text_.find_first_of("\r\n", start);
        return end != std::string::npos && end - start < kLineLimit ? end : std::string::npos;
    }

    bool next(std::string& line, std::string& error) {
        size_t end = lineEndFrom(at_);
        if (end == std::string::npos) {
            // An unended last line is dropped; a longer one fills the buffer.
            if (text_.size() - at_ >= kLineLimit) fail(error, "a line of 512 bytes or more");
            at_ = text_.size();
            return false;
        }
        line.assign(text_, at_, end - at_);
        at_ = end + (text_.compare(end, 2, "\r\n") == 0 && end + 1 - at_ < kLineLimit ? 2 : 1);
        return true;
    }

    const std::string& text_;
    size_t at_ = 0;
};

const std::string* lastValue(const ManifestAttributes& attributes, const char* name) {
    const std::string* found = nullptr;
    for (const auto& [key, value] : attributes) {
        if (sameText(key, name)) found = &value;
    }
    return found;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Each space-separated `module/package` of the value; other words are not such an entry and are skipped.
void addPackageOptions(const std::string* value, const char* option, MainJarRequests& requests) {
    if (!value) return;
    for (size_t at = 0; at < value->size();) {
        size_t end = value->find(' ', at);
        if (end == std::string::npos) end = value->size();
        std::string entry = value->substr(at, end - at);
        size_t slash = entry.find('/');
        if (slash != std::string::npos && slash > 0 && slash + 1 < entry.size() &&
            entry.find('/', slash + 1) == std::string::npos) {
            requests.vmOptions.push_back(std::string(option) + "=" + entry + "=ALL-UNNAMED");
            requests.minimumJava = std::max(requests.minimumJava, kModuleOptionsJava);
        }
        at = end + 1;
    }
}

}  // namespace

bool parseManifest(const std::string& text, ManifestAttributes& mainAttributes, std::string& error) {
    error.clear();
    ManifestReader reader(text);
    if (!reader.section(mainAttributes, error)) return false;
    ManifestAttributes entry;
    while (reader.moreSections()) {
        if (!reader.section(entry, error)) return false;
        if (!entry.empty() && !sameText(entry.front().first, "Name")) {
            error = "its manifest has a section that does not start with \"Name: \"";
            return false;
        }
    }
    return true;
}

bool readMainJar(const Bytes& jar, MainJarRequests& requests, std::string& error) {
    requests = MainJarRequests();
    ZipDirectory directory;
    if (!readZipDirectory(jar, directory, error)) return false;
    for (const ZipEntry& entry : directory.entries) {
        if (!sameText(entry.name, "META-INF/MANIFEST.MF")) continue;
        Bytes bytes;
        ManifestAttributes attributes;
        if (!readZipEntry(jar, entry, kMaxManifest, bytes, error) ||
            !parseManifest(std::string(bytes.begin(), bytes.end()), attributes, error)) {
            return false;
        }
        if (const std::string* mainClass = lastValue(attributes, "Main-Class")) requests.mainClass = trimmed(*mainClass);
        addPackageOptions(lastValue(attributes, "Add-Opens"), "--add-opens", requests);
        addPackageOptions(lastValue(attributes, "Add-Exports"), "--add-exports", requests);
        const std::string* nativeAccess = lastValue(attributes, "Enable-Native-Access");
        if (nativeAccess && trimmed(*nativeAccess) == "ALL-UNNAMED") {
            requests.vmOptions.push_back("--enable-native-access=ALL-UNNAMED");
            requests.minimumJava = std::max(requests.minimumJava, kNativeAccessJava);
        }
        return true;
    }
    return true;
}
