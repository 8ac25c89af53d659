// The Java runtime hosted by the launcher, seen through the JVM double's
// call log: the option list, the Java thread, main, the exit codes, the
// standard stream files and the failure messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/Robot.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const DWORD exitFailed = 0xFFFFFFFFu;

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[32768];
    DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
    return std::wstring(buffer, length < 32768 ? length : 0);
}

std::wstring withoutTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The options part of the double's creation line, hooks included.
std::string optionList(const std::vector<std::string>& options) {
    std::string list = "options=[";
    for (const std::string& option : options) list += quoted(option) + ", ";
    return list + "\"abort\"+hook, \"exit\"+hook]";
}

unsigned long numberAfter(const std::string& line, const std::string& key) {
    size_t at = line.find(key);
    return at == std::string::npos ? 0 : std::stoul(line.substr(at + key.size()));
}

struct Outcome {
    DWORD exitCode = STILL_ACTIVE;
    std::wstring message;  // the one error box, trailing line breaks removed
    int messageBoxes = 0;
};

// One application folder: the launcher, its settings, class descriptions
// for the double and the call log.
class HostedApp {
public:
    explicit HostedApp(const std::wstring& runtime = L"full") : runtime_(runtimeFixture(runtime)) {
        launch_.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
    }

    Sandbox& sandbox() { return sandbox_; }
    std::wstring folder() const { return withoutTrailingBackslash(sandbox_.folder()); }
    std::wstring runtimeHome() const { return withoutTrailingBackslash(runtime_); }
    std::wstring jvmPath() const { return runtime_ + L"bin\\client\\jvm.dll"; }
    LaunchOptions& launch() { return launch_; }

    void classes(const std::wstring& file, const std::string& text) { sandbox_.writeFile(file, text); }

    void settings(const std::string& jre, const std::string& classPath, const std::string& application,
                  const std::string& mainClass = "app.Main") {
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtime_) + "\nMain Class=" + mainClass +
                          "\n" + jre + "[Class Path]\nClass Path=" + classPath + "\n[Application]\n" + application);
    }

    // Runs to the end, confirming every error box and keeping the first text.
    Outcome run(const std::wstring& arguments = L"", DWORD timeoutMs = 20000) {
        launch_.arguments = arguments;
        LauncherProcess process(sandbox_.exePath(), launch_);
        Outcome outcome;
        const bool ended = waitUntil(
            [&] {
                for (HWND box : findWindows(process.processId(), L"#32770")) {
                    if (!IsWindowVisible(box)) continue;
                    std::wstring text = controlText(box, 0xFFFF);
                    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
                    if (outcome.messageBoxes++ == 0) outcome.message = text;
                    clickButton(box, IDOK);
                    waitForWindowGone(box, 5000);
                }
                return process.wait(0);
            },
            timeoutMs);
        if (ended) outcome.exitCode = process.exitCode();
        return outcome;
    }

    std::vector<std::string> log() const { return readLines(sandbox_.path(L"calls.log")); }

    // The first log line containing `text`; empty when there is none.
    std::string logLine(const std::string& text) const {
        for (const std::string& line : log()) {
            if (line.find(text) != std::string::npos) return line;
        }
        return std::string();
    }
    bool logHas(const std::string& text) const { return !logLine(text).empty(); }

private:
    Sandbox sandbox_;
    std::wstring runtime_;
    LaunchOptions launch_;
};

const char mainCall[] = "app/Main.main([Ljava/lang/String;)V args=(";

TEST(HostingOptions, LibraryClassPathAndParametersReachTheVmInOrder) {
    HostedApp app;
    Sandbox& box = app.sandbox();
    box.makeFolder(L"lib");
    app.classes(L"lib\\a.jar", "class app.Main\nmain env Path\nmain env QZ_JVM_HOME\nmain args\n");
    box.writeFile(L"lib\\notes.txt", "");
    box.writeFile(L"app.jar", "");
    app.settings("Library Path=native\nSystem Path=C:\\tools\n"
                 "Virtual Machine Parameters=-Xmx512m  -Dx=\"a b\" -Dhome=%QZ_JVM_HOME% -XX:+Flag -Xms5p -Xss16m\n",
                 "\\lib\\*.jar;C:\\common\\x.jar;;\\app.jar;lib\\app.jar;%QZ_JVM_HOME%\\lib\\rt.jar",
                 "Output File=" + ansi(app.folder()) + "\\out.txt\nCmd=-open \"My File.txt\" %QZ_JVM_HOME%\n"
                 "[Product Information]\nProduct Name=App\nProduct Code=7\n");
    // The user's own parameters come after the application's, so a later -Xmx wins; their file decides
    // "JRE Path" too.
    app.launch().environment[L"APPDATA"] = box.path(L"user");
    for (const wchar_t* folder : {L"user", L"user\\App", L"user\\App\\7"}) box.makeFolder(folder);
    box.writeFile(L"user\\App\\7\\app.ini", "[Java Runtime Environment]\nJRE Path=" + ansi(app.runtimeHome()) +
                                               "\nVirtual Machine Parameters=-Xmx1g -Du=\"c d\"\n");
    std::wstring oldPath = environment(L"Path");

    Outcome outcome = app.run(L"one \"two words\"");
    ASSERT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_EQ(outcome.messageBoxes, 0);

    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    std::string xms = "-Xms" + std::to_string(static_cast<unsigned long long>((memory.dwTotalPhys >> 10) * 5.0 / 100)) + "K";

    std::string folder = ansi(app.folder());
    std::string home = ansi(app.runtimeHome());
    std::string creation = app.logLine("JNI_CreateJavaVM ");
    EXPECT_NE(creation.find("version=0x00010002 ignoreUnrecognized=false "), std::string::npos) << creation;
    EXPECT_NE(creation.find(optionList({
                  "-Djava.library.path=native;" + folder + "\\;.;" + ansi(oldPath) + ";" + home + "\\lib",
                  "-Djava.class.path=" + folder + "\\lib\\a.jar;C:\\common\\x.jar;" + folder + ";" + folder +
                      "\\app.jar;" + home + "\\lib\\rt.jar;",
                  "-Xmx512m", "-Dx=a b", "-Dhome=" + home, "-XX:+Flag", xms, "-Xss16m", "-Xmx1g", "-Du=c d"})),
              std::string::npos)
        << creation;

    // The environment the application sees, and its arguments, "Cmd" last.
    std::vector<std::string> out = readLines(box.path(L"out.txt"));
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[0], "C:\\tools;" + ansi(oldPath) + ";" + home + "\\bin");
    EXPECT_EQ(out[1], home);
    EXPECT_EQ(std::vector<std::string>(out.begin() + 2, out.end()),
              (std::vector<std::string>{"one", "two words", "-open", "My File.txt", home}));

    // 16 MB of stack can only come from -Xss, on a thread of the launcher's own.
    EXPECT_GE(numberAfter(app.logLine(mainCall), "stack="), 16ul << 20);
}

TEST(HostingOptions, EmptySettingsGiveTheClassPathAndTheTwoHooksOnly) {
    HostedApp app;
    app.classes(L"app.classes", "class com.example.App\nmain env Path\n");
    app.settings("", "\\app.classes", "Output File=" + ansi(app.folder()) + "\\out.txt\n", "com.example.App");
    std::wstring oldPath = environment(L"Path");

    Outcome outcome = app.run();
    ASSERT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_NE(app.logLine("JNI_CreateJavaVM ").find(
                  optionList({"-Djava.class.path=" + ansi(app.folder()) + "\\app.classes;"})),
              std::string::npos);
    // "System Path" empty: the runtime's bin folder after the old Path.
    std::vector<std::string> out = readLines(app.sandbox().path(L"out.txt"));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], ansi(oldPath) + ";" + ansi(app.runtimeHome()) + "\\bin");

    // The launcher helper gets the dotted name; no arguments make an empty array.
    EXPECT_TRUE(app.logHas("LauncherHelper.checkAndLoadMain(ZILjava/lang/String;)Ljava/lang/Class; "
                           "args=(1, 1, \"com.example.App\")"));
    std::string main = app.logLine("com/example/App.main([Ljava/lang/String;)V args=([])");
    ASSERT_FALSE(main.empty());

    // Without -Xss the JVM's default (0x510000) sizes the Java thread, which
    // is not the thread that asked for that default.
    std::string defaults = app.logLine("JNI_GetDefaultJavaVMInitArgs version=0x00010001");
    ASSERT_FALSE(defaults.empty());
    EXPECT_GE(numberAfter(main, "stack="), 0x510000ul);
    EXPECT_NE(numberAfter(main, "@thread="), numberAfter(defaults, "@thread="));
    EXPECT_TRUE(app.logHas("DetachCurrentThread"));
    EXPECT_TRUE(app.logHas("event DestroyJavaVM returns"));
}

TEST(HostingOptions, StackSizeFromAnExpandedVariableIsNotUsedButStillPassed) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain return\n");
    app.settings("Virtual Machine Parameters=-Xss%STACK%\n", "\\app.classes", "");
    app.launch().environment[L"STACK"] = L"16m";
    Outcome outcome = app.run();
    ASSERT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_TRUE(app.logHas("\"-Xss16m\", \"abort\"+hook"));
    EXPECT_TRUE(app.logHas("JNI_GetDefaultJavaVMInitArgs"));
    EXPECT_LT(numberAfter(app.logLine(mainCall), "stack="), 16ul << 20);
}

TEST(HostingOptions, StartupCacheForJava19AndLaterOnly) {
    for (const char* version : {"21.0.2", "17.0.9"}) {
        SCOPED_TRACE(version);
        HostedApp app;
        Sandbox& box = app.sandbox();
        box.copyTree(runtimeFixture(L"full"), L"jre");
        box.writeFile(L"jre\\release", std::string("JAVA_VERSION=\"") + version + "\"\n");
        app.classes(L"app.classes", "class app.Main\nmain return\n");
        box.writeIni("[Product Information]\nProduct Name=App\nProduct Code=7\n[Java Runtime Environment]\nJRE Path=" +
                     ansi(box.path(L"jre")) +
                     "\nMain Class=app.Main\nStartup Cache=YES\n[Class Path]\nClass Path=\\app.classes\n");
        app.launch().environment[L"LOCALAPPDATA"] = box.path(L"local");
        box.makeFolder(L"local");
        ASSERT_EQ(app.run().exitCode, 0u);
        const std::string creation = app.logLine("JNI_CreateJavaVM ");
        const std::string archive = "\"-XX:SharedArchiveFile=" + ansi(box.path(L"local\\App\\7\\startup-"));
        const size_t at = creation.find(archive);
        EXPECT_EQ(at != std::string::npos, version[0] == '2') << creation;
        if (at == std::string::npos) continue;
        // The archive's folder was made, and its name carries 16 hexadecimal digits.
        EXPECT_EQ(creation.find(".jsa\", \"-XX:+AutoCreateSharedArchive\", \"abort\"", at), at + archive.size() + 16)
            << creation;
    }
}

TEST(HostingOptions, EmbeddedJarAloneNeedsNoClassPath) {
    HostedApp app;
    app.settings("", "", "Embedded Jar=yes\n");
    Outcome outcome = app.run();
    // The executable describes no class: the direct lookup fails after the
    // helper's own report, with one message and no hang.
    EXPECT_TRUE(app.logHas(optionList({"-Djava.class.path=" + ansi(app.sandbox().exePath()) + ";"})));
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.messageBoxes, 1);
    EXPECT_EQ(outcome.message, L"Det gick inte att hitta huvudklassen app/Main.");
    EXPECT_TRUE(app.logHas("FindClass \"app/Main\""));
    EXPECT_TRUE(app.logHas("ExceptionDescribe java/lang/NoClassDefFoundError"));
    EXPECT_TRUE(app.logHas("event DestroyJavaVM returns"));
}

TEST(HostingOptions, EmptyClassPathStopsBeforeTheVm) {
    HostedApp app;
    app.settings("", "", "");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.messageBoxes, 1);
    EXPECT_EQ(outcome.message, L"Sökväg för Java-klass har inte angetts i INI-filen.");
    EXPECT_FALSE(app.logHas("JNI_CreateJavaVM"));
}

TEST(HostingMain, DirectLookupUsesTheSlashedName) {
    HostedApp app(L"no-find-class-from-boot-loader");
    app.classes(L"app.classes", "class com.example.App\nmain return\n");
    app.settings("", "\\app.classes", "", "com.example.App");
    Outcome outcome = app.run(L"one two");
    EXPECT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_TRUE(app.logHas("FindClass \"com/example/App\""));
    EXPECT_FALSE(app.logHas("checkAndLoadMain"));
    // As a bare host that calls FindClass and makes main's arguments with
    // NewString: no Java code for the name, none for any argument.
    EXPECT_TRUE(app.logHas("event main entered after 0 Java calls"));
}

TEST(HostingMain, NonAsciiArgumentsReachMainUnchanged) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain return\n");
    app.settings("", "\\app.classes", "");
    Outcome outcome = app.run(L"\x00E5\x00E4\x00F6 \x4E2D\x6587 \xD83D\xDE00");
    EXPECT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_TRUE(app.logHas(std::string(mainCall) + "[\"\xC3\xA5\xC3\xA4\xC3\xB6\", \"\xE4\xB8\xAD\xE6\x96\x87\", "
                                                   "\"\xF0\x9F\x98\x80\"])"));
}

TEST(HostingMain, MainWithoutMethodShowsTheJvmsDescriptionOrElseOneMessage) {
    for (bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "nothing pending" : "NoSuchMethodError pending");
        HostedApp app;
        if (quiet) app.launch().environment[L"JVMDOUBLE_QUIET_MISSING_METHODS"] = L"1";
        app.classes(L"app.classes", "class app.Main\nstatic out loaded\n");
        app.settings("", "\\app.classes", "");
        Outcome outcome = app.run();
        EXPECT_EQ(outcome.exitCode, exitFailed);
        EXPECT_EQ(outcome.messageBoxes, quiet ? 1 : 0);
        if (quiet) {
            EXPECT_EQ(outcome.message, L"Ingen huvudmetod hittades i den angivna klassen.");
        }
        EXPECT_EQ(app.logHas("ExceptionDescribe java/lang/NoSuchMethodError"), !quiet);
        EXPECT_TRUE(app.logHas("event DestroyJavaVM returns"));
    }
}

TEST(HostingMain, MainClassNameTheJvmCannotHoldAsAStringIsFoundDirectly) {
    HostedApp app;
    // Room for the runtime's own short strings, not for the class name: the
    // launcher helper cannot be asked, and FindClass needs no Java string.
    app.launch().environment[L"JVMDOUBLE_CHAR_ARRAY_LIMIT"] = L"20";
    app.classes(L"app.classes", "class app.MainWithAVeryLongName\nmain return\n");
    app.settings("", "\\app.classes", "", "app.MainWithAVeryLongName");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_EQ(outcome.messageBoxes, 0);
    EXPECT_FALSE(app.logHas("CallStaticObjectMethodV sun/launcher/LauncherHelper"));
    EXPECT_TRUE(app.logHas("FindClass \"app/MainWithAVeryLongName\""));
    EXPECT_TRUE(app.logHas("app/MainWithAVeryLongName.main"));
}

// A module on the module path, found through the runtime's launcher helper
// (mode 3, as "java -m") or, without one, through the boot layer.
TEST(HostingModules, TheModuleOptionsAndTheMainClassOfAModule) {
    const std::string module = "module app.mod\nmain-class app.Main\nclass app.Main\nmain args\nmain exit 5\n";
    for (const wchar_t* runtime : {L"full", L"no-find-class-from-boot-loader"}) {
        SCOPED_TRACE(toUtf8(runtime));
        HostedApp app(runtime);
        app.sandbox().makeFolder(L"mods");
        app.classes(L"mods\\app.mod", module);
        app.classes(L"extra.mod", "module app.extra\n");
        const std::string extra = ansi(app.folder()) + "\\extra.mod";
        const bool helper = std::wstring(runtime) == L"full";
        // With a helper the class is named in the setting; without one the module's descriptor names it.
        app.settings(std::string("Main Module=app.mod") + (helper ? "/app.Main" : "") + "\nModule Path=\\mods;" + extra +
                         "\nAdd Modules=app.extra,java.sql\n",
                     "", "", "");
        Outcome outcome = app.run(L"one");
        EXPECT_EQ(outcome.exitCode, 5u) << toUtf8(outcome.message);
        EXPECT_TRUE(app.logHas(optionList({"--module-path=" + ansi(app.folder()) + "\\mods;" + extra,
                                           "--add-modules=app.extra,java.sql", "-Djdk.module.main=app.mod"})));
        EXPECT_EQ(app.logHas("checkAndLoadMain(ZILjava/lang/String;)Ljava/lang/Class; args=(1, 3, \"app.mod/app.Main\")"),
                  helper);
        EXPECT_TRUE(app.logHas("app/Main.main([Ljava/lang/String;)V args=([\"one\"])"));
    }

    // A module the boot layer does not have, without a helper to report it.
    HostedApp app(L"no-find-class-from-boot-loader");
    app.settings("Main Module=missing.mod/app.Main\n", "", "", "");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.message, L"Det gick inte att hitta huvudklassen missing.mod/app.Main.");
}

// Without public static void main(String[]): main(String[]) before main(),
// instance ones on an object of the class's own.
TEST(HostingMain, TheMainMethodsJava25Accepts) {
    const struct {
        const char* text;
        const char* called;
    } classes[] = {
        {"instance-main-noargs out plain\n", "CallVoidMethodV app/Base.main()V"},
        {"main-noargs out plain\ninstance-main args\n", "CallVoidMethodV app/Base.main([Ljava/lang/String;)V"},
        {"private instance-main\ninstance-main out hidden\nmain-noargs out plain\n",
         "CallStaticVoidMethodV app/Base.main()V"},
    };
    for (const auto& each : classes) {
        SCOPED_TRACE(each.text);
        HostedApp app(L"no-find-class-from-boot-loader");
        app.classes(L"app.classes", std::string("class app.Base\n") + each.text + "class app.Main\nextends app.Base\n");
        app.settings("", "\\app.classes", "");
        Outcome outcome = app.run(L"x");
        EXPECT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
        EXPECT_TRUE(app.logHas(each.called));
    }
    // An instance main needs a constructor the launcher may call.
    HostedApp app(L"no-find-class-from-boot-loader");
    app.classes(L"app.classes", "class app.Main\ninstance-main-noargs out plain\nconstructor private\n");
    app.settings("", "\\app.classes", "");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.message, L"Ingen huvudmetod hittades i den angivna klassen.");
}

TEST(HostingMain, ExitCodes) {
    struct Case {
        const char* name;
        std::string mainActions;
        std::string application;
        DWORD exitCode;
    };
    const Case cases[] = {
        {"returns", "main return\n", "", 0},
        {"System.exit in main", "main exit 7\n", "", 7},
        {"System.exit on another thread", "main thread exit 9\nmain sleep 5000\n", "", 9},
        {"throws, Failure Check off", "main throw java.lang.IllegalStateException: boom\n", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostedApp app;
        app.classes(L"app.classes", "class app.Main\n" + c.mainActions);
        app.settings("", "\\app.classes", c.application);
        Outcome outcome = app.run();
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_EQ(outcome.messageBoxes, 0);
    }
}

TEST(HostingMain, NonDaemonThreadKeepsTheProcessAlive) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain thread wait-file " + ansi(app.folder()) + "\\go.txt\n");
    app.settings("", "\\app.classes", "");
    LauncherProcess process(app.sandbox().exePath(), app.launch());
    ASSERT_TRUE(waitUntil([&] { return app.logHas("event DestroyJavaVM waiting"); }, 10000));
    EXPECT_FALSE(process.wait(300));
    app.sandbox().writeFile(L"go.txt", "");
    ASSERT_TRUE(process.wait(10000));
    EXPECT_EQ(process.exitCode(), 0u);
}

TEST(HostingMain, IbmProviderEndsOnlyThroughSystemExit) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain return\n");
    app.settings("VM Provider=any\n", "\\app.classes", "");
    LauncherProcess process(app.sandbox().exePath(), app.launch());
    ASSERT_TRUE(waitUntil([&] { return app.logHas(mainCall); }, 10000));
    EXPECT_FALSE(process.wait(1000));
    EXPECT_FALSE(app.logHas("DetachCurrentThread"));
    EXPECT_FALSE(app.logHas("DestroyJavaVM"));
}

TEST(HostingFailures, LibraryLoading) {
    // The application's own text for a message, and one with a placeholder too many, which is left out.
    const std::string messages = "[Messages]\n222=Could not load the Java VM library %s (error %d).\n"
                                 "202=Windows error: %s %s (error %d).\n";
    HostedApp foreign(L"foreign");
    foreign.settings("", "\\app.classes", messages);
    Outcome outcome = foreign.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.message, L"Could not load the Java VM library " + foreign.jvmPath() + L" (error 193).");

    for (const wchar_t* runtime : {L"no-create-java-vm", L"no-default-init-args"}) {
        HostedApp app(runtime);
        app.settings("", "\\app.classes", messages);
        outcome = app.run();
        EXPECT_EQ(outcome.exitCode, exitFailed);
        EXPECT_EQ(outcome.messageBoxes, 1);
        EXPECT_EQ(outcome.message, L"Windows-undantag: Det går inte att hitta CreateJavaVM JNI (felnummer = 127).");
        EXPECT_FALSE(app.logHas("JNI_CreateJavaVM"));
    }

    // A runtime whose jvm.dll is there but needs a DLL that is not.
    HostedApp broken;
    Sandbox& box = broken.sandbox();
    std::wstring unloadable = buildPath(L"hosting-fixtures\\unloadable\\");
    box.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(unloadable) +
                 "\nMain Class=app.Main\n[Class Path]\nClass Path=\\app.classes\n");
    outcome = broken.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.message, L"Det gick inte att läsa in Java VM-biblioteket: " + unloadable +
                                   L"bin\\client\\jvm.dll (felnummer = 126).");
}

TEST(HostingFailures, CreationResultsAndTheirReasons) {
    const std::pair<const wchar_t*, const wchar_t*> results[] = {
        {L"-1", L"okänd"},
        {L"-2", L"tråden har kopplats från VM"},
        {L"-3", L"JNI-versionsfel"},
        {L"-4", L"det finns inte tillräckligt med minne"},
        {L"-5", L"VM har redan skapats"},
        {L"-6", L"ogiltiga argument"},
        {L"-7", L""},
    };
    for (const auto& [result, reason] : results) {
        SCOPED_TRACE(toUtf8(result));
        HostedApp app;
        app.classes(L"app.classes", "class app.Main\nmain return\n");
        app.settings("", "\\app.classes", "");
        app.launch().environment[L"JVMDOUBLE_CREATE_RESULT"] = result;
        Outcome outcome = app.run();
        EXPECT_EQ(outcome.exitCode, exitFailed);
        EXPECT_EQ(outcome.messageBoxes, 1);
        EXPECT_EQ(outcome.message, std::wstring(L"JNI-undantag: Det gick inte att skapa Java VM\nOrsak: ") + reason + L".");
    }

    // Options are not ignored: a misspelt one fails creation.
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain return\n");
    app.settings("Virtual Machine Parameters=-XMX50p\n", "\\app.classes", "");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, exitFailed);
    EXPECT_EQ(outcome.message, L"JNI-undantag: Det gick inte att skapa Java VM\nOrsak: okänd.");
    EXPECT_TRUE(app.logHas("event option rejected \"-XMX50p\""));
}

TEST(HostingOutput, FilesAreCreatedTruncatedOrAppendedBeforeTheMainClassLoads) {
    HostedApp app;
    Sandbox& box = app.sandbox();
    app.classes(L"app.classes", "class app.Main\nstatic out static initializer\nmain err from main\n");
    box.makeFolder(L"logs");
    box.writeFile(L"logs\\err.log", "earlier run\r\n");
    app.launch().environment[L"HOSTING_LOGS"] = box.path(L"logs");
    // "Yes" is not exactly "yes": the output file is truncated.
    app.settings("", "\\app.classes",
                 "Output File=" + ansi(app.folder()) + "\\a\\b\\out.log\nOutput Append=Yes\n"
                 "Error File=%HOSTING_LOGS%\\err.log\nError Append=yes\n");
    box.makeFolder(L"a");
    box.makeFolder(L"a\\b");
    box.writeFile(L"a\\b\\out.log", "earlier run\r\n");
    Outcome outcome = app.run();
    ASSERT_EQ(outcome.exitCode, 0u) << toUtf8(outcome.message);
    EXPECT_EQ(readLines(box.path(L"a\\b\\out.log")), std::vector<std::string>{"static initializer"});
    EXPECT_EQ(readLines(box.path(L"logs\\err.log")), (std::vector<std::string>{"earlier run", "from main"}));

    // Missing folders are made.
    HostedApp fresh;
    fresh.classes(L"app.classes", "class app.Main\nmain out hello\n");
    fresh.settings("", "\\app.classes", "Output File=" + ansi(fresh.folder()) + "\\x\\y\\out.log\n");
    ASSERT_EQ(fresh.run().exitCode, 0u);
    EXPECT_EQ(readLines(fresh.sandbox().path(L"x\\y\\out.log")), std::vector<std::string>{"hello"});
}

TEST(HostingOutput, TimePicturesShareOneStamp) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain out o\nmain err e\n");
    app.settings("", "\\app.classes",
                 "Output File=" + ansi(app.folder()) + "\\out_%yyyy-MM-dd_HH.mm.ss%.log\n"
                 "Error File=" + ansi(app.folder()) + "\\err_%HHmmssL%.log\n");
    SYSTEMTIME before;
    GetLocalTime(&before);
    ASSERT_EQ(app.run().exitCode, 0u);

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(app.sandbox().path(L"out_*.log").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    std::wstring out = found.cFileName;  // out_2026-03-07_14.05.09.log
    ASSERT_EQ(out.size(), 27u);
    EXPECT_EQ(std::stoi(out.substr(4, 4)), before.wYear);
    std::wstring hhmmss = out.substr(15, 2) + out.substr(18, 2) + out.substr(21, 2);

    search = FindFirstFileW(app.sandbox().path(L"err_*.log").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    std::wstring err = found.cFileName;  // err_140509512.log: milliseconds without leading zeros
    ASSERT_GE(err.size(), 15u);
    EXPECT_EQ(err.substr(4, 6), hhmmss);
    EXPECT_LE(err.size(), 17u);
}

TEST(HostingOutput, AnUnopenableFileIsDescribedAndTheLaunchGoesOn) {
    HostedApp app;
    app.classes(L"app.classes", "class app.Main\nmain out still running\nmain exit 3\n");
    app.settings("", "\\app.classes", "Output File=" + ansi(app.folder()) + "\\bad<name\\out.log\n");
    Outcome outcome = app.run();
    EXPECT_EQ(outcome.exitCode, 3u);
    EXPECT_EQ(outcome.messageBoxes, 0);
    EXPECT_TRUE(app.logHas("ExceptionDescribe java/io/FileNotFoundException"));
}

}  // namespace
