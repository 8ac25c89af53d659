// The runtime's splash library: where it is found, what it is told, in which
// order and in which encoding, and when the launcher falls back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestImages.h"
#include "splash/NativeSplash.h"

namespace {

std::wstring runtimeFolder(const std::wstring& variant) {
    std::wstring folder = L"" BUILD_DIR L"\\runtimes\\" + variant + L"\\";
    for (wchar_t& c : folder) {
        if (c == L'/') c = L'\\';
    }
    return folder;
}

std::string readAll(const std::wstring& path) {
    std::string bytes;
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

// The library's calls, one per line, without the thread details the double appends.
std::string loggedCalls(const std::wstring& log) {
    std::string calls;
    const std::string bytes = readAll(log);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        line = line.substr(0, line.find(" @thread="));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        calls += line + "\n";
        start = end + 1;
    }
    return calls;
}

// The thread's ANSI code page bytes of `text`, as the double logs them.
std::string ansiHex(const std::wstring& text) {
    char buffer[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char* p = reinterpret_cast<unsigned char*>(buffer); *p; ++p) {
        hex += digits[*p >> 4];
        hex += digits[*p & 15];
    }
    return hex;
}

int hookCalls = 0;
void countingHook() { ++hookCalls; }

class NativeSplashTest : public testing::Test {
protected:
    void SetUp() override {
        log = splashTestFolder() + L"native-calls.log";
        DeleteFileW(log.c_str());
        SetEnvironmentVariableW(L"JVMDOUBLE_LOG", log.c_str());
        hookCalls = 0;
    }
    void TearDown() override { SetEnvironmentVariableW(L"JVMDOUBLE_LOG", nullptr); }

    std::string calls() const { return loggedCalls(log); }

    std::wstring log;
    // Not ASCII, so the encoding the library receives shows in the log.
    const std::wstring image = L"C:\\Bilder\\V\u00e4lkommen.png";
};

TEST_F(NativeSplashTest, FindsTheLibraryInTheRuntimesBinFolder) {
    const std::wstring full = runtimeFolder(L"full");
    EXPECT_EQ(full + L"bin\\splashscreen.dll", findNativeSplashLibrary(full + L"bin\\client\\jvm.dll"));
    EXPECT_EQ(full + L"bin\\splashscreen.dll", findNativeSplashLibrary(full + L"bin\\server\\jvm.dll"));
    // One level too shallow: <runtime>\splashscreen.dll does not exist.
    EXPECT_EQ(L"", findNativeSplashLibrary(full + L"bin\\jvm.dll"));
    EXPECT_EQ(L"", findNativeSplashLibrary(splashTestFolder() + L"bin\\client\\jvm.dll"));
    EXPECT_EQ(L"", findNativeSplashLibrary(L""));
}

TEST_F(NativeSplashTest, CallsInitLoadFileAndSetFileJarNameWithAnsiPath) {
    SplashCloseFunction hook = nullptr;
    ASSERT_TRUE(startNativeSplash(runtimeFolder(L"full") + L"bin\\splashscreen.dll", image, hook));
    const std::string narrow = ansiHex(image);
    // a-umlaut is one byte (e4) in the Western code pages, two in UTF-8.
    ASSERT_NE(std::string::npos, narrow.find("56e46c6b")) << narrow;
    const std::string started =
        "SplashInit\nSplashLoadFile " + narrow + "\nSplashSetFileJarName " + narrow + " (empty)\n";
    EXPECT_EQ(started, calls());

    ASSERT_NE(nullptr, hook);
    hook();
    EXPECT_EQ(started + "SplashClose\n", calls());
}

TEST_F(NativeSplashTest, MissingEntryPointOrLibraryFallsBackWithoutCalls) {
    SplashCloseFunction hook = nullptr;
    EXPECT_FALSE(startNativeSplash(runtimeFolder(L"splash-no-set-file-jar-name") + L"bin\\splashscreen.dll", image, hook));
    EXPECT_FALSE(startNativeSplash(runtimeFolder(L"missing") + L"bin\\splashscreen.dll", image, hook));
    // A text file is no library either.
    const std::wstring notLibrary = splashTestFolder() + L"not-a-library.dll";
    writeTextFile(notLibrary, "MZ? no");
    EXPECT_FALSE(startNativeSplash(notLibrary, image, hook));
    EXPECT_EQ("", calls());
    // A library whose splash never started is never closed either.
    EXPECT_EQ(nullptr, hook);
}

TEST_F(NativeSplashTest, LibraryWithoutCloseRunsButLeavesNoHook) {
    SplashCloseFunction hook = countingHook;
    ASSERT_TRUE(startNativeSplash(runtimeFolder(L"splash-no-close") + L"bin\\splashscreen.dll", image, hook));
    EXPECT_EQ(nullptr, hook);
    // The splash it replaces is closed first.
    EXPECT_EQ(1, hookCalls);
    EXPECT_EQ(0u, calls().find("SplashInit\n"));
}

}  // namespace
