#include "PackOptions.h"

#include <map>

#include "Utf.h"

const char kPackUsage[] =
    "usage: launcher-pack --launcher EXE [--launcher EXE64] --name NAME --output FOLDER [options]\n"
    "\n"
    "Writes FOLDER with NAME.exe (and NAME64.exe when launchers of both architectures are given,\n"
    "paired both ways), NAME.ini in UTF-16, and lib\\ with the jars given.\n"
    "  --launcher EXE          a built launcher: launcher.exe, launcher64.exe, or a console variant\n"
    "  --input FOLDER          copy everything in FOLDER (a jre\\, documents, ...) into the output first\n"
    "  --icon FILE.ico         the executable's icon, every size in the file\n"
    "  --file-version A.B.C.D  default 1.0.0.0\n"
    "  --product-version A.B.C.D  default: the file version\n"
    "  --company TEXT  --product TEXT  --description TEXT  --copyright TEXT\n"
    "  --settings FILE.ini     start from an existing settings file (the options below override it)\n"
    "  --main-class NAME  --class-path ENTRY (repeatable)  --jar FILE (repeatable, copied into lib\\)\n"
    "  --main-jar FILE         copied into lib\\ first on the class path; its manifest's Main-Class,\n"
    "                          Add-Opens, Add-Exports and Enable-Native-Access go into the settings\n"
    "  --main-module MODULE[/CLASS]  --add-modules LIST\n"
    "  --module-path FILE|FOLDER  (repeatable, copied into mods\\)\n"
    "  --min-version V  --max-version V  --vm-parameters TEXT  --splash FILE  --single-instance\n"
    "  --embed-jar FILE        append the application's jar to the executable (before any signing)\n"
    "  --service NAME [--service-display TEXT] [--service-description TEXT]\n"
    "                          a Windows service: install-service.cmd and uninstall-service.cmd beside it\n"
    "  --app-id ID             the taskbar identity (AppUserModelID): at most 128 characters, no spaces\n";

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens a device for these, whatever follows a dot and in any letter
// case; COM and LPT also take the superscript digits, as UTF-8 or Latin-1.
bool isDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem) c = upper(c);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (stem == device) return true;
    }
    if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
    const std::string digit = stem.substr(3);
    for (const char* superscript : {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3", "\xB9", "\xB2", "\xB3"}) {
        if (digit == superscript) return true;
    }
    return digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9';
}

// Empty when Windows keeps `name` as it is for a file name of its own.
std::string fileNameProblem(const std::string& name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string("\\/:*?\"<>|").find(c) != std::string::npos) {
            return "is a file name without a folder, control characters or any of \\/:*?\"<>|";
        }
    }
    if (name.back() == '.' || name.back() == ' ') return "ends in a dot or a space, which Windows drops";
    if (isDeviceName(name)) {
        return "is a device name Windows reserves (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$)";
    }
    return {};
}

}  // namespace

bool parsePackOptions(const std::vector<std::string>& arguments, PackOptions& options, bool& help, std::string& error) {
    help = false;
    const std::map<std::string, std::string*> texts = {
        {"--name", &options.name},
        {"--output", &options.output},
        {"--input", &options.input},
        {"--icon", &options.icon},
        {"--file-version", &options.fileVersion},
        {"--product-version", &options.productVersion},
        {"--company", &options.company},
        {"--product", &options.product},
        {"--description", &options.description},
        {"--copyright", &options.copyright},
        {"--settings", &options.settingsFile},
        {"--main-class", &options.mainClass},
        {"--main-jar", &options.mainJar},
        {"--main-module", &options.mainModule},
        {"--add-modules", &options.addModules},
        {"--min-version", &options.minVersion},
        {"--max-version", &options.maxVersion},
        {"--vm-parameters", &options.vmParameters},
        {"--splash", &options.splash},
        {"--embed-jar", &options.embeddedJar},
        {"--service", &options.serviceName},
        {"--service-display", &options.serviceDisplay},
        {"--service-description", &options.serviceDescription},
        {"--app-id", &options.appId},
    };
    const std::map<std::string, std::vector<std::string>*> lists = {
        {"--launcher", &options.launchers}, {"--class-path", &options.classPath}, {"--jar", &options.jars},
        {"--module-path", &options.modulePath}};
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& option = arguments[index];
        if (option == "--help" || option == "-h") {
            help = true;
            return true;
        }
        if (option == "--single-instance") {
            options.singleInstance = true;
            continue;
        }
        auto text = texts.find(option);
        auto list = lists.find(option);
        if (text == texts.end() && list == lists.end()) {
            error = "unknown option " + option;
            return false;
        }
        if (index + 1 >= arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++index];
        if (text != texts.end()) {
            *text->second = value;
        } else {
            list->second->push_back(value);
        }
    }
    if (options.launchers.empty()) error = "no --launcher given";
    if (options.name.empty()) error = "no --name given";
    if (options.output.empty()) error = "no --output given";
    if (options.launchers.size() > 2) error = "at most two launchers, one per architecture";
    const std::string nameProblem = options.name.empty() ? std::string() : fileNameProblem(options.name);
    if (!nameProblem.empty()) error = "--name " + nameProblem + ": " + options.name;
    if (options.serviceName.find_first_of("\\/") != std::string::npos) {
        error = "--service is a name without \\ or /: " + options.serviceName;
    }
    if (options.serviceName.empty() && !(options.serviceDisplay + options.serviceDescription).empty()) {
        error = "--service-display and --service-description need --service";
    }
    std::u16string appId;
    if (!utf8ToUtf16(options.appId, appId) || appId.size() > 128 || appId.find(u' ') != std::u16string::npos) {
        error = "--app-id is at most 128 characters without spaces, as Windows takes an AppUserModelID: " +
                options.appId;
    }
    return error.empty();
}
