#include "Packer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "ExecutableBranding.h"
#include "JarManifest.h"
#include "PeLayout.h"
#include "ServiceScripts.h"
#include "SettingsText.h"
#include "Utf.h"
#include "ZipOffsets.h"

namespace fs = std::filesystem;

namespace {

constexpr uint16_t kMachineX86 = 0x14C;
constexpr uint16_t kMachineX64 = 0x8664;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool readFile(const std::string& path, Bytes& bytes, std::string& error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = path + ": cannot be read";
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    if (std::ferror(file.get())) {
        error = path + ": cannot be read";
        return false;
    }
    return true;
}

bool writeFile(const fs::path& path, const Bytes& bytes, std::string& error) {
    File file(std::fopen(path.string().c_str(), "wb"));
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0) {
        error = path.string() + ": cannot be written";
        return false;
    }
    return true;
}

std::u16string wide(const std::string& text) {
    std::u16string result;
    if (utf8ToUtf16(text, result)) return result;
    return std::u16string(text.begin(), text.end());
}

bool isWithin(const fs::path& inner, const fs::path& outer) {
    auto mismatch = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return mismatch.first == outer.end();
}

struct Executable {
    std::string fileName;
    Bytes image;
};

// The launchers, x86 first, each named for the application.
bool readLaunchers(const PackOptions& options, std::vector<Executable>& executables, std::string& error) {
    bool hasX86 = false, hasX64 = false;
    for (const std::string& path : options.launchers) {
        Executable executable;
        if (!readFile(path, executable.image, error)) return false;
        PeLayout layout;
        if (!readPeLayout(executable.image, layout, error)) {
            error = path + ": " + error;
            return false;
        }
        bool x86 = layout.machine == kMachineX86;
        if (!x86 && layout.machine != kMachineX64) {
            error = path + ": neither an x86 nor an x86-64 executable";
            return false;
        }
        if ((x86 && hasX86) || (!x86 && hasX64)) {
            error = "two launchers of the same architecture; give one per architecture";
            return false;
        }
        (x86 ? hasX86 : hasX64) = true;
        executable.fileName = options.name + (x86 || options.launchers.size() == 1 ? ".exe" : "64.exe");
        executables.insert(x86 ? executables.begin() : executables.end(), std::move(executable));
    }
    return true;
}

bool checkOutputFolder(const PackOptions& options, const fs::path& output, std::string& error) {
    std::error_code code;
    if (!options.input.empty()) {
        fs::path input = fs::weakly_canonical(fs::absolute(options.input), code);
        if (!fs::is_directory(input, code)) {
            error = options.input + ": not a folder";
            return false;
        }
        // Copying a folder into itself would never end.
        if (isWithin(output, input)) {
            error = "the output folder " + output.string() + " is inside the input folder " + input.string();
            return false;
        }
    }
    if (fs::exists(output, code)) {
        error = output.string() + ": already exists; remove it or name another output folder";
        return false;
    }
    return true;
}

bool readZip(const std::string& path, Bytes& jar, std::string& error) {
    if (!readFile(path, jar, error)) return false;
    Bytes copy = jar;
    if (shiftZipOffsets(copy, 0, error)) return true;
    error = path + ": " + error;
    return false;
}

bool readVersion(const std::string& option, const std::string& text, FourPartVersion& version, std::string& error) {
    if (parseFourPartVersion(text, version)) return true;
    error = option + " must be four numbers from 0 to 65535 separated by dots, like 1.2.0.0: \"" + text + "\"";
    return false;
}

VersionInfo versionStrings(const PackOptions& options, FourPartVersion file, FourPartVersion product) {
    VersionInfo info;
    info.fileVersion = file;
    info.productVersion = product;
    std::string productName = options.product.empty() ? options.name : options.product;
    std::string description = options.description.empty() ? productName : options.description;
    const std::pair<const char16_t*, std::string> strings[] = {
        {u"CompanyName", options.company},      {u"FileDescription", description},
        {u"FileVersion", formatVersion(file)},  {u"InternalName", options.name},
        {u"LegalCopyright", options.copyright}, {u"OriginalFilename", ""},
        {u"ProductName", productName},          {u"ProductVersion", formatVersion(product)},
    };
    for (const auto& [key, value] : strings) info.strings.emplace_back(key, wide(value));
    return info;
}

void setOriginalFileName(VersionInfo& info, const std::string& fileName) {
    for (auto& [key, value] : info.strings) {
        if (key == u"OriginalFilename") value = wide(fileName);
    }
}

// The jars copied into lib\, in class path order.
std::vector<std::string> libraryJars(const PackOptions& options) {
    std::vector<std::string> jars = options.jars;
    if (!options.mainJar.empty()) jars.insert(jars.begin(), options.mainJar);
    return jars;
}

// A --module-path file or folder by the name it has in mods\.
fs::path moduleName(const std::string& entry) {
    fs::path path(entry);
    return path.filename().empty() ? path.parent_path().filename() : path.filename();
}

// A version's first number: compared with 9 or 16, the launcher's comparison
// of limits comes down to it.
unsigned long feature(const std::u16string& version) {
    size_t digit = version.find_first_of(u"0123456789");
    unsigned long value = 0;
    for (; digit < version.size() && version[digit] >= u'0' && version[digit] <= u'9' && value < 100000; ++digit) {
        value = value * 10 + (version[digit] - u'0');
    }
    return value;
}

// What the main jar's manifest asks, after the options: "Main Class" unless
// given, its options after the VM parameters, and the version they need.
void applyMainJar(const PackOptions& options, const MainJarRequests& requests, SettingsText& settings) {
    const std::u16string runtime = u"Java Runtime Environment";
    if (options.mainClass.empty() && !requests.mainClass.empty()) {
        settings.set(runtime, u"Main Class", wide(requests.mainClass));
    }
    std::u16string parameters = settings.get(runtime, u"Virtual Machine Parameters");
    for (const std::string& option : requests.vmOptions) parameters += (parameters.empty() ? u"" : u" ") + wide(option);
    if (!requests.vmOptions.empty()) settings.set(runtime, u"Virtual Machine Parameters", parameters);
    if (feature(settings.get(runtime, u"Minimum Version")) < requests.minimumJava) {
        settings.set(runtime, u"Minimum Version", wide(std::to_string(requests.minimumJava)));
    }
}

bool buildSettings(const PackOptions& options, const MainJarRequests& manifest, SettingsText& settings,
                   std::string& error) {
    if (!options.settingsFile.empty()) {
        Bytes file;
        if (!readFile(options.settingsFile, file, error)) return false;
        settings = SettingsText::decode(file);
    }
    const std::u16string runtime = u"Java Runtime Environment";
    const std::pair<const char16_t*, std::string> runtimeKeys[] = {
        {u"Main Class", options.mainClass},
        {u"Minimum Version", options.minVersion},
        {u"Maximum Version", options.maxVersion},
        {u"Virtual Machine Parameters", options.vmParameters},
        {u"Main Module", options.mainModule},
        {u"Add Modules", options.addModules}};
    for (const auto& [key, value] : runtimeKeys) {
        if (!value.empty()) settings.set(runtime, key, wide(value));
    }
    applyMainJar(options, manifest, settings);
    std::string modulePath;
    for (const std::string& entry : options.modulePath)
        modulePath += (modulePath.empty() ? "" : ";") + ("\\mods\\" + moduleName(entry).string());
    if (!modulePath.empty()) settings.set(runtime, u"Module Path", wide(modulePath));
    std::string classPath;
    for (const std::string& jar : libraryJars(options))
        classPath += (classPath.empty() ? "" : ";") + ("\\lib\\" + fs::path(jar).filename().string());
    for (const std::string& entry : options.classPath) classPath += (classPath.empty() ? "" : ";") + entry;
    if (!classPath.empty()) settings.set(u"Class Path", u"Class Path", wide(classPath));
    if (options.singleInstance) settings.set(u"Application", u"Single Instance", u"yes");
    if (!options.appId.empty()) settings.set(u"Application", u"App User Model ID", wide(options.appId));
    if (!options.splash.empty())
        settings.set(u"Display", u"Splash Screen", wide(fs::path(options.splash).filename().string()));
    if (!options.embeddedJar.empty()) settings.set(u"Application", u"Embedded Jar", u"Yes");
    if (!options.serviceName.empty()) settings.set(u"Application", u"Application Type", u"service");
    if (settings.get(runtime, u"Main Class").empty() && settings.get(runtime, u"Main Module").empty()) {
        error = "no main class: give --main-class or --main-module, or a settings file that names one";
        return false;
    }
    return true;
}

// A folder beside the output that this run made itself, so that removing it
// on failure removes nothing of anyone else's.
bool createStagingFolder(const fs::path& output, fs::path& staging) {
    std::error_code code;
    fs::create_directories(output.parent_path(), code);
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        staging = output;
        staging += ".partial" + (attempt == 1 ? std::string() : std::to_string(attempt));
        if (fs::create_directory(staging, code)) return true;
        if (!fs::exists(staging, code)) return false;  // not taken, yet it cannot be made
    }
    return false;
}

bool writeAll(const fs::path& staging, const std::vector<std::pair<std::string, Bytes>>& files, std::string& error) {
    for (const auto& [name, bytes] : files) {
        fs::path path = staging / fs::path(name);
        std::error_code code;
        fs::create_directories(path.parent_path(), code);
        if (!writeFile(path, bytes, error)) return false;
    }
    return true;
}

}  // namespace

bool pack(const PackOptions& options, std::vector<std::string>& written, std::string& error) {
    error.clear();
    std::error_code code;
    fs::path output = fs::weakly_canonical(fs::absolute(options.output), code);
    if (!checkOutputFolder(options, output, error)) return false;

    std::vector<Executable> executables;
    if (!readLaunchers(options, executables, error)) return false;
    FourPartVersion fileVersion{}, productVersion{};
    if (!readVersion("--file-version", options.fileVersion, fileVersion, error)) return false;
    if (!readVersion("--product-version", options.productVersion.empty() ? options.fileVersion : options.productVersion,
                     productVersion, error)) {
        return false;
    }
    Branding branding;
    branding.version = versionStrings(options, fileVersion, productVersion);
    if (!options.icon.empty()) {
        Bytes icon;
        if (!readFile(options.icon, icon, error)) return false;
        if (!parseIconFile(icon, branding.icons, error)) {
            error = options.icon + ": " + error;
            return false;
        }
    }
    if (!options.embeddedJar.empty() && !readZip(options.embeddedJar, branding.embeddedJar, error)) return false;

    std::vector<std::pair<std::string, Bytes>> files;
    for (const std::string& jar : libraryJars(options)) {
        Bytes bytes;
        if (!readZip(jar, bytes, error)) return false;
        files.emplace_back("lib/" + fs::path(jar).filename().string(), bytes);
    }
    MainJarRequests manifest;
    if (!options.mainJar.empty() && !readMainJar(files.front().second, manifest, error)) {
        error = options.mainJar + ": " + error;
        return false;
    }
    for (const std::string& entry : options.modulePath) {
        if (!fs::exists(entry, code)) {
            error = entry + ": cannot be read";
            return false;
        }
    }
    if (!options.splash.empty()) {
        Bytes bytes;
        if (!readFile(options.splash, bytes, error)) return false;
        files.emplace_back(fs::path(options.splash).filename().string(), bytes);
    }
    SettingsText settings;
    if (!buildSettings(options, manifest, settings, error)) return false;
    if (!options.serviceName.empty()) {
        ServiceScripts scripts;
        if (!makeServiceScripts(options.serviceName, options.serviceDisplay, options.serviceDescription,
                                executables.front().fileName, scripts, error)) {
            return false;
        }
        files.emplace_back("install-service.cmd", scripts.install);
        files.emplace_back("uninstall-service.cmd", scripts.uninstall);
    }

    for (size_t index = 0; index < executables.size(); ++index) {
        Executable& executable = executables[index];
        Branding own = branding;
        setOriginalFileName(own.version, executable.fileName);
        if (!brandExecutable(executable.image, own, error)) {
            error = options.launchers[index] + ": " + error;
            return false;
        }
        SettingsText ownSettings = settings;
        if (executables.size() == 2) {
            ownSettings.set(u"Application", u"Pair Product", wide(executables[1 - index].fileName));
            ownSettings.set(u"Application", u"Pair Return Code", u"Yes");
        }
        std::string stem = executable.fileName.substr(0, executable.fileName.size() - 4);
        files.emplace_back(executable.fileName, executable.image);
        files.emplace_back(stem + ".ini", ownSettings.encode());
    }

    fs::path staging;
    bool created = createStagingFolder(output, staging);
    if (created && !options.input.empty()) {
        fs::copy(options.input, staging, fs::copy_options::recursive, code);
        if (code) error = options.input + ": cannot be copied (" + code.message() + ")";
    }
    for (const std::string& entry : options.modulePath) {
        if (!created || !error.empty()) break;
        fs::create_directories(staging / "mods", code);
        fs::copy(entry, staging / "mods" / moduleName(entry), fs::copy_options::recursive, code);
        if (code) error = entry + ": cannot be copied (" + code.message() + ")";
    }
    if (!created || !error.empty() || !writeAll(staging, files, error)) {
        if (error.empty()) error = staging.string() + ": cannot be created";
        fs::remove_all(staging, code);
        return false;
    }
    fs::rename(staging, output, code);
    if (code) {
        error = output.string() + ": cannot be created (" + code.message() + ")";
        fs::remove_all(staging, code);
        return false;
    }
    for (const auto& file : files) written.push_back(file.first);
    return true;
}
