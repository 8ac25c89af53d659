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
    "  --min-version V  --max-version V  --vm-parameters TEXT  --splash FILE  --single-instance\n"
    "  --embed-jar FILE        append the application's jar to the executable (before any signing)\n"
    "  --app-id ID             the taskbar identity (AppUserModelID): at most 128 characters, no spaces\n";

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
        {"--min-version", &options.minVersion},
        {"--max-version", &options.maxVersion},
        {"--vm-parameters", &options.vmParameters},
        {"--splash", &options.splash},
        {"--embed-jar", &options.embeddedJar},
        {"--app-id", &options.appId},
    };
    const std::map<std::string, std::vector<std::string>*> lists = {
        {"--launcher", &options.launchers}, {"--class-path", &options.classPath}, {"--jar", &options.jars}};
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
    if (options.name.find_first_of("\\/:*?\"<>|") != std::string::npos) {
        error = "--name is a file name without a folder: " + options.name;
    }
    std::u16string appId;
    if (!utf8ToUtf16(options.appId, appId) || appId.size() > 128 || appId.find(u' ') != std::u16string::npos) {
        error = "--app-id is at most 128 characters without spaces, as Windows takes an AppUserModelID: " +
                options.appId;
    }
    return error.empty();
}
