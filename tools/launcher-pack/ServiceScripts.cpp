#include "ServiceScripts.h"

#include "Utf.h"

namespace {

// Code page 850 from 0x80 on.
const char16_t kCodePage850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

const char kEventSourceKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\";

// A text in code page 850 as cmd reads it outside quotes: "%" doubled and
// ^ & | < > " each after a caret. False for what the code page has not.
bool appendForCmd(const std::u16string& text, std::string& out) {
    for (char16_t c : text) {
        if (c < 0x20 || c == 0x7F) return false;
        if (c == u'%') out += '%';
        if (c == u'^' || c == u'&' || c == u'|' || c == u'<' || c == u'>' || c == u'"') out += '^';
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        size_t index = 0;
        while (index < 128 && kCodePage850High[index] != c) ++index;
        if (index == 128) return false;
        out += static_cast<char>(0x80 + index);
    }
    return true;
}

// One argument of sc.exe or reg.exe, quoted for their own parsing (a quote
// inside as \", the backslashes before it doubled) with quotes cmd leaves alone.
bool argument(const std::string& utf8, std::string& out) {
    std::u16string text;
    if (!utf8ToUtf16(utf8, text)) return false;
    std::u16string quoted = u"\"";
    size_t backslashes = 0;
    for (char16_t c : text) {
        if (c == u'"') quoted.append(backslashes + 1, u'\\');
        backslashes = c == u'\\' ? backslashes + 1 : 0;
        quoted += c;
    }
    quoted.append(backslashes, u'\\');
    quoted += u'"';
    return appendForCmd(quoted, out);
}

}  // namespace

bool makeServiceScripts(const std::string& name, const std::string& displayName, const std::string& description,
                        const std::string& executable, ServiceScripts& scripts, std::string& error) {
    std::string serviceName, display, about, key, exe;
    std::u16string exeName;
    bool fits = argument(name, serviceName) && argument(displayName.empty() ? name : displayName, display) &&
                argument(description, about) && argument(kEventSourceKey + name, key) &&
                utf8ToUtf16(executable, exeName) && appendForCmd(exeName, exe);
    if (!fits) {
        error = "the service name, display name and description must be one line of characters that code page 850 "
                "has, which cmd reads the scripts in";
        return false;
    }
    // cmd sees the path outside quotes, as it does in binPath.
    const std::string path = "^\"%~dp0" + exe + "^\"";
    std::string install = "@echo off\r\nrem Installs the application as a service that starts with Windows.\r\n";
    install += "sc create " + serviceName + " binPath= \"\\\"%~dp0" + exe + "\\\"\" start= auto DisplayName= " +
               display + "\r\nif errorlevel 1 exit /b\r\n";
    if (!description.empty()) install += "sc description " + serviceName + " " + about + "\r\n";
    install += "reg add " + key + " /v EventMessageFile /t REG_EXPAND_SZ /d " + path + " /f >nul\r\n";
    install += "reg add " + key + " /v TypesSupported /t REG_DWORD /d 7 /f >nul\r\n";
    std::string uninstall = "@echo off\r\nrem Stops and removes the application's service.\r\n";
    uninstall += "sc stop " + serviceName + " >nul 2>&1\r\nsc delete " + serviceName + "\r\n";
    uninstall += "reg delete " + key + " /f >nul 2>&1\r\n";
    scripts.install.assign(install.begin(), install.end());
    scripts.uninstall.assign(uninstall.begin(), uninstall.end());
    return true;
}
