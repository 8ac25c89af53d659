#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "Packer.h"
#include "PeLayout.h"
#include "ResourceRewrite.h"
#include "SettingsText.h"
#include "SyntheticImage.h"
#include "VersionResourceReader.h"

namespace fs = std::filesystem;

namespace {

void writeBytes(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

Bytes readBytes(const fs::path& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
    return bytes;
}

// An empty archive: the smallest zip there is.
Bytes emptyZip() {
    Bytes zip;
    append32(zip, 0x06054b50);
    zip.resize(22, 0);
    return zip;
}

Bytes icon() {
    Bytes file = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    Bytes image(40 + 64, 0x33);
    write32(image, 0, 40);
    append32(file, static_cast<uint32_t>(image.size()));
    append32(file, 22);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

class Pack : public ::testing::Test {
protected:
    Pack() {
        char pattern[] = "/tmp/pack-test-XXXXXX";
        root = mkdtemp(pattern);
        Bytes x64 = syntheticImage(syntheticResources());
        Bytes x86 = x64;
        write16(x86, 0x84, 0x14C);
        writeBytes(root / "build/x86/launcher.exe", x86);
        writeBytes(root / "build/x64/launcher64.exe", x64);
        writeBytes(root / "in/app.ico", icon());
        writeBytes(root / "in/app.jar", emptyZip());
        writeBytes(root / "in/notes.jar", {'c', 'l', 'a', 's', 's'});
        options.launchers = {(root / "build/x64/launcher64.exe").string(), (root / "build/x86/launcher.exe").string()};
        options.name = "MyApp";
        options.output = (root / "out/MyApp").string();
        options.mainClass = "app.Main";
        options.icon = (root / "in/app.ico").string();
        options.jars = {(root / "in/app.jar").string()};
    }
    ~Pack() override { fs::remove_all(root); }

    fs::path output() const { return options.output; }

    fs::path root;
    PackOptions options;
};

TEST_F(Pack, PairsBothArchitecturesBothWaysEachWithItsOwnNameInItsVersion) {
    options.appId = "Example.MyApp";
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(pack(options, written, error)) << error;
    EXPECT_EQ(readBytes(output() / "lib/app.jar"), emptyZip());
    for (const auto& [exe, pair] :
         {std::pair<std::string, std::u16string>{"MyApp.exe", u"MyApp64.exe"}, {"MyApp64.exe", u"MyApp.exe"}}) {
        Bytes image = readBytes(output() / exe);
        PeLayout layout;
        ASSERT_TRUE(readPeLayout(image, layout, error)) << error;
        EXPECT_EQ(layout.machine, exe == "MyApp.exe" ? 0x14C : 0x8664);
        std::vector<Resource> resources;
        ASSERT_TRUE(readImageResources(image, resources, error)) << error;
        bool hasVersion = false;
        for (const Resource& resource : resources) {
            if (resource.type.id != kVersionType) continue;
            hasVersion = true;
            VersionReadBack version = readVersionResource(resource.data);
            EXPECT_EQ(version.strings[u"OriginalFilename"], std::u16string(exe.begin(), exe.end()));
            EXPECT_EQ(version.strings[u"ProductName"], u"MyApp");
        }
        EXPECT_TRUE(hasVersion);

        Bytes ini = readBytes(output() / (exe.substr(0, exe.size() - 4) + ".ini"));
        ASSERT_GE(ini.size(), 2u);
        EXPECT_EQ(ini[0], 0xFF);
        EXPECT_EQ(ini[1], 0xFE);
        SettingsText settings = SettingsText::decode(ini);
        EXPECT_EQ(settings.get(u"Application", u"Pair Product"), pair);
        EXPECT_EQ(settings.get(u"Application", u"Pair Return Code"), u"Yes");
        EXPECT_EQ(settings.get(u"Class Path", u"Class Path"), u"\\lib\\app.jar");
        EXPECT_EQ(settings.get(u"Java Runtime Environment", u"Main Class"), u"app.Main");
        EXPECT_EQ(settings.get(u"Application", u"App User Model ID"), u"Example.MyApp");
    }
}

TEST_F(Pack, AnEmbeddedJarEndsTheExecutableAndIsNamedInTheSettings) {
    options.launchers.pop_back();
    options.embeddedJar = (root / "in/app.jar").string();
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(pack(options, written, error)) << error;
    Bytes image = readBytes(output() / "MyApp.exe");
    ASSERT_GT(image.size(), 22u);
    size_t end = image.size() - 22;
    EXPECT_EQ(read32(image, end), 0x06054b50u);
    EXPECT_EQ(read32(image, end + 16), end);  // the empty directory starts where the end record does
    EXPECT_EQ(SettingsText::decode(readBytes(output() / "MyApp.ini")).get(u"Application", u"Embedded Jar"), u"Yes");
    EXPECT_FALSE(fs::exists(output() / "MyApp64.exe"));
}

// How cmd reads the scripts' texts shows under Wine (pack_e2e); here, what it cannot read.
TEST_F(Pack, AServiceGetsItsTypeAndScriptsUnlessATextIsOutsideTheOemCodePage) {
    options.serviceName = "Hello Service";
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(pack(options, written, error)) << error;
    EXPECT_EQ(SettingsText::decode(readBytes(output() / "MyApp64.ini")).get(u"Application", u"Application Type"),
              u"service");
    EXPECT_TRUE(fs::exists(output() / "install-service.cmd") && fs::exists(output() / "uninstall-service.cmd"));
    options.output += "2";
    options.serviceDescription = "\u20ac";
    EXPECT_FALSE(pack(options, written, error));
    EXPECT_NE(error.find("code page 850"), std::string::npos) << error;
}

// Each bad input gets its own message, and neither the output folder nor
// the staging folder is left behind.
TEST_F(Pack, BadInputLeavesNoOutputFolder) {
    writeBytes(root / "in/broken.ico", {0, 0, 1, 0, 1, 0, 16, 16});
    writeBytes(root / "in/legacy.ini", {'[', 'A', ']', '\n'});
    // Resources without raw data, pointing past the file, their directory
    // found in the code's raw bytes past its virtual size.
    Bytes rawless = syntheticImage(syntheticResources());
    PeLayout layout;
    std::string unused;
    ASSERT_TRUE(readPeLayout(rawless, layout, unused));
    write32(rawless, layout.sections[0].headerOffset + 8, 0);
    write32(rawless, layout.sections[0].headerOffset + 12, kSyntheticResourceRva - 0x100);
    write32(rawless, layout.sections[1].headerOffset + 16, 0);
    write32(rawless, layout.sections[1].headerOffset + 20, 0x7FFFFFF0);
    write32(rawless, layout.sections[0].rawPointer + 0x100 + 12, 0);
    writeBytes(root / "in/rawless.exe", rawless);
    writeBytes(root / "in/shared.exe", syntheticImageAround(sharedResourceDirectories(64)));
    struct Case {
        const char* expected;
        std::function<void(PackOptions&)> change;
    };
    const std::vector<Case> cases = {
        {"broken.ico", [&](PackOptions& o) { o.icon = (root / "in/broken.ico").string(); }},
        {"four numbers", [](PackOptions& o) { o.fileVersion = "1.2.3"; }},
        {"four numbers", [](PackOptions& o) { o.productVersion = "1.2.3.x"; }},
        {"not a zip", [&](PackOptions& o) { o.jars.push_back((root / "in/notes.jar").string()); }},
        {"not a zip", [&](PackOptions& o) { o.embeddedJar = (root / "in/notes.jar").string(); }},
        {"inside the input",
         [&](PackOptions& o) {
             o.input = (root / "in").string();
             o.output = (root / "in/dist/MyApp").string();
         }},
        {"inside the input",
         [&](PackOptions& o) {
             o.input = (root / "in").string();
             o.output = (root / "in").string();
         }},
        {"not a folder", [&](PackOptions& o) { o.input = (root / "in/app.ico").string(); }},
        {"main class",
         [&](PackOptions& o) {
             o.mainClass.clear();
             o.settingsFile = (root / "in/legacy.ini").string();
         }},
        {"same architecture", [&](PackOptions& o) { o.launchers[1] = o.launchers[0]; }},
        {"cannot be read", [&](PackOptions& o) { o.launchers[0] = (root / "in/none.exe").string(); }},
        {"not an executable", [&](PackOptions& o) { o.launchers[0] = (root / "in/app.jar").string(); }},
        {"no data in the file", [&](PackOptions& o) { o.launchers = {(root / "in/rawless.exe").string()}; }},
        {"share subdirectories", [&](PackOptions& o) { o.launchers = {(root / "in/shared.exe").string()}; }},
        {"65,535 bytes", [](PackOptions& o) { o.description.assign(40000, 'd'); }},
    };
    for (const Case& c : cases) {
        PackOptions changed = options;
        c.change(changed);
        const bool existed = fs::exists(changed.output);
        std::vector<std::string> written;
        std::string error;
        EXPECT_FALSE(pack(changed, written, error)) << c.expected;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(fs::exists(changed.output), existed) << c.expected;
        EXPECT_FALSE(fs::exists(changed.output + ".partial")) << c.expected;
    }
}

TEST_F(Pack, TheInputFolderIsCopiedWholeBesideWhatIsMade) {
    writeBytes(root / "in/jre/bin/java.dll", {'d'});
    options.input = (root / "in").string();
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(pack(options, written, error)) << error;
    EXPECT_EQ(readBytes(output() / "jre/bin/java.dll"), Bytes{'d'});
    EXPECT_EQ(readBytes(output() / "app.ico"), icon());
    EXPECT_TRUE(fs::exists(output() / "MyApp.exe"));
}

TEST_F(Pack, AnExistingOutputFolderOrOneNamedLikeTheStagingFolderIsLeftAsItWas) {
    writeBytes(output() / "keep.txt", {'k'});
    std::vector<std::string> written;
    std::string error;
    EXPECT_FALSE(pack(options, written, error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(readBytes(output() / "keep.txt"), Bytes{'k'});

    fs::remove_all(output());
    const fs::path partial = output().string() + ".partial";
    writeBytes(partial / "keep.txt", {'p'});
    ASSERT_TRUE(pack(options, written, error)) << error;
    EXPECT_TRUE(fs::exists(output() / "MyApp.exe"));
    EXPECT_EQ(readBytes(partial / "keep.txt"), Bytes{'p'});
    EXPECT_EQ(std::distance(fs::directory_iterator(partial), fs::directory_iterator()), 1);
}

TEST(PackOptions, OptionsAreReadAndMistakesNamed) {
    PackOptions options;
    bool help = false;
    std::string error;
    ASSERT_TRUE(parsePackOptions({"--launcher", "a.exe", "--name", "App", "--output", "out", "--jar", "x.jar", "--jar",
                                  "y.jar", "--single-instance"},
                                 options, help, error))
        << error;
    EXPECT_EQ(options.jars, (std::vector<std::string>{"x.jar", "y.jar"}));
    EXPECT_TRUE(options.singleInstance);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--launcher", "a.exe", "--name", "App", "--output"},
          {"--launcher", "a.exe", "--name", "App", "--output", "o", "--colour", "red"},
          {"--launcher", "a.exe", "--name", "sub/App", "--output", "o"},
          {"--launcher", "a.exe", "--name", "App", "--output", "o", "--service-display", "Shown"},
          {"--launcher", "a.exe", "--name", "App", "--output", "o", "--app-id", "My App"},
          {"--launcher", "a.exe", "--name", "App", "--output", "o", "--app-id", std::string(129, 'x')},
          {"--name", "App", "--output", "o"}}) {
        PackOptions unused;
        EXPECT_FALSE(parsePackOptions(bad, unused, help, error));
        EXPECT_FALSE(error.empty());
        error.clear();
    }
    for (const char* name : {"Con", "con.txt", "NUL .ini", "aux", "CONOUT$", "com0", "LPT9", "COM\xC2\xB9",
                             "lpt\xB3", "App.", "App ", "App\t1", "a<b", "a|b"}) {
        PackOptions unused;
        EXPECT_FALSE(parsePackOptions({"--launcher", "a.exe", "--name", name, "--output", "o"}, unused, help, error))
            << name;
        EXPECT_NE(error.find("--name"), std::string::npos) << error;
        error.clear();
    }
    for (const char* name : {"COM", "Console", "LPT10", "NULL", "COM\xC2\xB9" "0", "My App 2.1"}) {
        PackOptions unused;
        EXPECT_TRUE(parsePackOptions({"--launcher", "a.exe", "--name", name, "--output", "o"}, unused, help, error))
            << error;
    }
}

}  // namespace
