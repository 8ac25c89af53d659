// Forwarded starts served while the Java thread ends: the real worker and
// Java thread against the JVM double in this process. The double ends the
// process on any use of a destroyed VM, and on more than the 16 live local
// references a thread is guaranteed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/win/Scoped.h"
#include "hosting/JavaThread.h"
#include "hosting/JvmLibrary.h"
#include "instance/InstanceProtocol.h"
#include "instance/RequestListener.h"

namespace {

const UINT kReplyMessage = WM_APP + 7;
// Beyond ASCII and any one code page: the Java thread and the worker each
// find it with FindClass.
const wchar_t kMainClass[] = L"app/\u00c5tg\u00e4rd\u4e2d";
const std::string kLoggedMainClass = "app/\xC3\x85tg\xC3\xA4rd\xE4\xB8\xAD";
const std::string kSecondaryMainCall = "CallStaticIntMethodV " + kLoggedMainClass + ".secondaryMain";

// Without the launcher helper, so the Java thread looks the main class up as the worker does.
std::wstring runtimeJvm() {
    std::string build = BUILD_DIR;
    std::wstring path(build.begin(), build.end());
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path + L"\\runtimes\\no-find-class-from-boot-loader\\bin\\client\\jvm.dll";
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void writeFile(const std::wstring& path, const std::string& bytes) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::vector<std::string> readLines(const std::wstring& path) {
    std::vector<std::string> lines;
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr));
    if (!file) return lines;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read) text.append(buffer, read);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::wstring> numbered(const wchar_t* stem, int count) {
    std::vector<std::wstring> list;
    for (int i = 0; i < count; ++i) list.push_back(stem + std::to_wstring(i));
    return list;
}

// A Java thread that runs the given class against the double, and later
// starts' requests as the listener hands them to workers.
class ForwardWorker : public testing::Test {
protected:
    void SetUp() override {
        // The double allows one VM per process; ctest runs each case in its own.
        static bool vmUsed = false;
        if (vmUsed) GTEST_SKIP() << "one VM per process: run this case on its own";
        vmUsed = true;

        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"forward-worker-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        SetEnvironmentVariableW(L"JVMDOUBLE_LOG", path(L"calls.log").c_str());
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);

        // Thousands of arguments for main, in the Java thread's one frame.
        launch_.arguments = numbered(L"argument-", 2000);
        launch_.mainClass = kMainClass;
        launch_.options.push_back("-Djava.class.path=" + narrow(path(L"app.txt")));
        ASSERT_FALSE(loadJvmLibrary(runtimeJvm(), launch_.entryPoints));
        ScopedHandle mainStarted(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        session_->adoptMainStartedEvent(std::move(mainStarted));
        target_ = std::make_shared<ForwardTarget>(ForwardTarget{false, session_});
    }

    void TearDown() override {
        if (javaThread_.joinable()) javaThread_.join();
        for (const wchar_t* name : {L"calls.log", L"app.txt", L"go.txt", L"release.txt", L"main-go.txt"}) {
            DeleteFileW(path(name).c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring path(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::string ansiPath(const std::wstring& name) const { return narrow(path(name)); }
    void touch(const std::wstring& name) const { writeFile(path(name), ""); }

    void startJavaThread(const std::string& classText) {
        writeFile(path(L"app.txt"), "class " + kLoggedMainClass + "\n" + classText);
        javaThread_ = std::thread([this] {
            javaThreadFailed_ = static_cast<bool>(runJavaThread(launch_, *session_, nullptr));
            javaThreadEnded_ = true;
        });
    }

    bool javaThreadEnds(DWORD timeoutMs) const {
        for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
            if (javaThreadEnded_) return true;
            Sleep(10);
        }
        return javaThreadEnded_;
    }

    // A later start's request, as the listener hands it to a worker.
    ScopedHandle forward(const std::vector<std::wstring>& arguments) {
        auto request = std::make_unique<ForwardRequest>();
        request->requesterThreadId = testThreadId_;
        request->requestMessage = kReplyMessage;
        request->target = target_;
        request->block.assign(kBlockSize, 0);
        EXPECT_TRUE(packArguments(arguments, request->block.data(), request->block.size()));
        ScopedHandle worker(CreateThread(nullptr, 0, forwardWorkerMain, request.get(), 0, nullptr));
        if (worker) request.release();
        return worker;
    }

    std::vector<int> takeReplies() {
        std::vector<int> replies;
        MSG message;
        while (PeekMessageW(&message, nullptr, kReplyMessage, kReplyMessage, PM_REMOVE)) {
            replies.push_back(static_cast<int>(message.wParam));
        }
        return replies;
    }

    std::vector<std::string> log() const { return readLines(path(L"calls.log")); }

    // Index of the first log line holding `text`, or -1.
    long lineOf(const std::string& text) const {
        std::vector<std::string> lines = log();
        auto found = std::find_if(lines.begin(), lines.end(),
                                  [&](const std::string& line) { return line.find(text) != std::string::npos; });
        return found == lines.end() ? -1 : static_cast<long>(found - lines.begin());
    }

    long countOf(const std::string& text) const {
        std::vector<std::string> lines = log();
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    bool waitForLog(const std::string& text) const {
        for (int i = 0; i < 3000; ++i) {
            if (lineOf(text) >= 0) return true;
            Sleep(10);
        }
        return false;
    }

    JavaLaunch launch_;
    SharedJavaSession session_ = std::make_shared<JavaSession>();
    std::shared_ptr<const ForwardTarget> target_;
    std::thread javaThread_;
    std::atomic<bool> javaThreadEnded_{false};
    std::atomic<bool> javaThreadFailed_{false};
    DWORD testThreadId_ = GetCurrentThreadId();
    std::wstring folder_;
};

void waitAll(const std::vector<ScopedHandle>& threads) {
    for (const ScopedHandle& thread : threads) EXPECT_EQ(WaitForSingleObject(thread.get(), 30000), WAIT_OBJECT_0);
}

TEST_F(ForwardWorker, StartsWhileTheVmWaitsForTheApplicationAreServedAndLaterOnesNeverReachIt) {
    // The thread main leaves behind keeps DestroyJavaVM waiting until go.txt,
    // as a window's thread keeps a desktop application running after main.
    startJavaThread("main thread wait-file " + ansiPath(L"go.txt") + "\nsecondaryMain int 7\n");
    ASSERT_TRUE(waitForLog("event DestroyJavaVM waiting for threads"));
    std::vector<ScopedHandle> served;
    for (int i = 0; i < 3; ++i) served.push_back(forward({L"while-the-application-runs"}));
    waitAll(served);
    EXPECT_EQ(takeReplies(), (std::vector<int>{7, 7, 7}));

    touch(L"go.txt");
    ASSERT_TRUE(javaThreadEnds(30000));
    EXPECT_FALSE(javaThreadFailed_);
    // Teardown has not begun: the session is still open, the VM is gone.
    ScopedHandle late = forward({L"after-the-end"});
    EXPECT_EQ(WaitForSingleObject(late.get(), 30000), WAIT_OBJECT_0);

    EXPECT_TRUE(takeReplies().empty());
    EXPECT_EQ(countOf("AttachCurrentThread"), 3);
    EXPECT_LT(lineOf("event DestroyJavaVM waiting for threads"), lineOf("AttachCurrentThread"));
    const long destroyed = lineOf("event DestroyJavaVM returns");
    ASSERT_GE(destroyed, 0);
    std::vector<std::string> lines = log();
    for (size_t i = destroyed + 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find("AttachCurrentThread"), std::string::npos) << lines[i];
    }
}

TEST_F(ForwardWorker, AStartBeingServedHoldsOffTheDestructionUntilItIsDone) {
    startJavaThread("main wait-file " + ansiPath(L"main-go.txt") + "\nsecondaryMain wait-file " +
                    ansiPath(L"release.txt") + "\nsecondaryMain int 7\n");
    ASSERT_TRUE(waitForLog(kLoggedMainClass + ".main"));
    // As many arguments as a request holds, in the worker's one frame.
    ScopedHandle worker = forward(numbered(L"a", 100));
    ASSERT_TRUE(waitForLog(kSecondaryMainCall));

    touch(L"main-go.txt");
    EXPECT_FALSE(javaThreadEnds(500)) << "the VM was destroyed under a forward still using it";
    touch(L"release.txt");
    EXPECT_TRUE(javaThreadEnds(30000));
    EXPECT_EQ(WaitForSingleObject(worker.get(), 30000), WAIT_OBJECT_0);

    EXPECT_EQ(takeReplies(), std::vector<int>{7});
    const long detached = lineOf("DetachCurrentThread @thread=" + std::to_string(GetThreadId(worker.get())));
    EXPECT_GE(detached, 0);
    EXPECT_LT(detached, lineOf("event DestroyJavaVM returns"));
}

TEST_F(ForwardWorker, TeardownSendsWorkersStillWaitingForMainAway) {
    startJavaThread("static wait-file " + ansiPath(L"go.txt") + "\nmain return\nsecondaryMain int 7\n");
    ASSERT_TRUE(waitForLog("JNI_CreateJavaVM"));
    ScopedHandle early = forward({L"before-main"});
    EXPECT_EQ(WaitForSingleObject(early.get(), 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "held until main starts";
    session_->stop();
    EXPECT_EQ(WaitForSingleObject(early.get(), 30000), WAIT_OBJECT_0);
    touch(L"go.txt");
    EXPECT_TRUE(javaThreadEnds(30000));
    EXPECT_TRUE(takeReplies().empty());
    EXPECT_EQ(countOf("AttachCurrentThread"), 0);
}

}  // namespace
