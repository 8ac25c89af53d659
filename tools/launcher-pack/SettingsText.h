// A settings file as lines, changed key by key, and saved as the launcher
// reads it best: UTF-16 with a byte order mark and CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "Bytes.h"

class SettingsText {
public:
    // Reads UTF-16 (LE, with BOM), UTF-8 with or without BOM; other bytes
    // are taken as Latin-1. Line ends may be CR LF or LF.
    static SettingsText decode(const Bytes& file);

    // Replaces the key's value in its section (both compared without regard
    // to ASCII letter case), else adds the key at the section's end, else
    // adds the section at the file's end.
    void set(const std::u16string& section, const std::u16string& key, const std::u16string& value);
    // The value as written, empty when the key is not there.
    std::u16string get(const std::u16string& section, const std::u16string& key) const;

    Bytes encode() const;

private:
    std::vector<std::u16string> lines_;
};
