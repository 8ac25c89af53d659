// Paths longer than the 260 characters of MAX_PATH: where the launcher lies,
// and the files and folders its settings name.
#include <gtest/gtest.h>

#include <string>

#include "support/LauncherProcess.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

// A folder inside the sandbox whose full path is well past MAX_PATH, made
// one level at a time (ends without a backslash).
std::wstring makeLongFolder(const Sandbox& sandbox, const std::wstring& name) {
    std::wstring folder = sandbox.path(name);
    CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    const std::wstring level(60, L'l');
    while (folder.size() <= 300) {
        folder += L"\\" + level;
        EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << toUtf8(folder);
    }
    return folder;
}

void writeLongFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << toUtf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readLongFile(const std::wstring& path) { return readFileBytes(L"\\\\?\\" + path); }

// Prints the runtime folder the launcher chose.
const char kPrintingMain[] = "class app.Main\nmain env QZ_JVM_HOME\nmain return\n";

// Disabled: Wine 8 cannot start a program this deep at all, its CreateProcessW
// reports the file missing. It runs where the system can start such a program.
TEST(LongPaths, DISABLED_AnExecutableDeepInsideReadsItsSettingsAndStartsItsJar) {
    Sandbox sandbox;
    const std::wstring folder = makeLongFolder(sandbox, L"deep");
    const std::wstring exe = folder + L"\\app.exe";
    ASSERT_TRUE(CopyFileW(launcherExePath().c_str(), (L"\\\\?\\" + exe).c_str(), FALSE));
    writeLongFile(folder + L"\\app.jar", kPrintingMain);
    writeLongFile(folder + L"\\app.ini", "[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                                             "\nMain Class=app.Main\n[Class Path]\nClass Path=\\app.jar\n"
                                             "[Application]\nOutput File=" + ansi(sandbox.path(L"out.txt")) + "\n");

    LaunchOptions options;
    options.workingFolder = sandbox.folder();
    EXPECT_EQ(0u, runToExit(exe, options));
    EXPECT_EQ(ansi(runtimeFixture(L"full")).substr(0, runtimeFixture(L"full").size() - 1) + "\r\n",
              readFileBytes(sandbox.path(L"out.txt")));
}

TEST(LongPaths, RuntimeClassPathAndOutputFileFromTheSettingsAreNotCut) {
    Sandbox sandbox;
    const std::wstring runtime = makeLongFolder(sandbox, L"runtime");
    ASSERT_TRUE(copyTree(runtimeFixture(L"full"), L"\\\\?\\" + runtime));
    const std::wstring classes = makeLongFolder(sandbox, L"classes");
    writeLongFile(classes + L"\\app.jar", kPrintingMain);
    const std::wstring output = makeLongFolder(sandbox, L"output") + L"\\new folder\\out.txt";
    sandbox.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtime) + "\nMain Class=app.Main\n" +
                     "[Class Path]\nClass Path=" + ansi(classes) + "\\app.jar\n[Application]\nOutput File=" +
                     ansi(output) + "\n");

    LaunchOptions options;
    options.environment[L"JVMDOUBLE_LOG"] = sandbox.path(L"calls.log");
    EXPECT_EQ(0u, runToExit(sandbox.exePath(), options));
    const std::string calls = readFileBytes(sandbox.path(L"calls.log"));
    EXPECT_NE(std::string::npos, calls.find("-Djava.class.path=" + ansi(classes) + "\\app.jar;")) << calls;
    EXPECT_EQ(ansi(runtime) + "\r\n", readLongFile(output));
}

}  // namespace
