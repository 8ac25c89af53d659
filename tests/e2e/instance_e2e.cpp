// Several launcher processes of one application folder: later starts
// hand their arguments to secondaryMain in the running one (seen in the JVM
// double's call log) and exit with its answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/LauncherProcess.h"
#include "support/Polling.h"
#include "support/Sandbox.h"
#include "support/TextFiles.h"

namespace {

const DWORD exitFailed = 0xFFFFFFFFu;
const char intCall[] = "app/Main.secondaryMain([Ljava/lang/String;)I args=(";
const char voidCall[] = "app/Main.secondaryMain([Ljava/lang/String;)V args=(";
const char mainCall[] = "app/Main.main([Ljava/lang/String;)V";

// One application folder whose main waits for "release.txt" unless the
// class text says otherwise.
class GuardedApp {
public:
    explicit GuardedApp(const std::string& classText, const std::string& application = "Single Instance=yes\n") {
        sandbox_.writeIni("[Java Runtime Environment]\nJRE Path=" + ansi(runtimeFixture(L"full")) +
                          "\nMain Class=app.Main\n[Class Path]\nClass Path=\\app.txt\n[Application]\n" + application);
        sandbox_.writeFile(L"app.txt", "class app.Main\n" + classText);
        launch_.environment[L"JVMDOUBLE_LOG"] = sandbox_.path(L"calls.log");
        launch_.environment[L"LAUNCHER_LOG"] = sandbox_.path(L"launcher.log");
    }

    std::unique_ptr<LauncherProcess> start(const std::wstring& arguments = L"") {
        LaunchOptions options = launch_;
        options.arguments = arguments;
        auto process = std::make_unique<LauncherProcess>(sandbox_.exePath(), options);
        EXPECT_TRUE(process->started());
        return process;
    }

    DWORD run(const std::wstring& arguments = L"", DWORD timeoutMs = 20000) {
        LaunchOptions options = launch_;
        options.arguments = arguments;
        return runToExit(sandbox_.exePath(), options, timeoutMs);
    }

    void touch(const std::wstring& name) const { sandbox_.writeFile(name, ""); }

    std::vector<std::string> linesWith(const std::string& text) const {
        std::vector<std::string> found;
        for (const std::string& line : readLines(sandbox_.path(L"calls.log"))) {
            if (line.find(text) != std::string::npos) found.push_back(line);
        }
        return found;
    }

    bool waitForLine(const std::string& text, DWORD timeoutMs = 20000) const {
        return waitUntil([&] { return !linesWith(text).empty(); }, timeoutMs);
    }

    // The running instance's own log: it names each request it takes.
    bool waitForLauncherLine(const std::string& text) const {
        return waitUntil([&] {
            const std::string log = readFileBytes(sandbox_.path(L"launcher.log"));
            return log.find(text) != std::string::npos;
        });
    }

    // The argument list of every secondaryMain call, in call order.
    std::vector<std::string> forwardedLists(const char* call = intCall) const {
        std::vector<std::string> lists;
        for (const std::string& line : linesWith(call)) {
            size_t from = line.find(call) + std::string(call).size();
            lists.push_back(line.substr(from, line.find(") @thread", from) - from));
        }
        return lists;
    }

    const Sandbox& sandbox() const { return sandbox_; }

private:
    Sandbox sandbox_;
    LaunchOptions launch_;
};

const char waitingApp[] = "main wait-file release.txt\nsecondaryMain int 7\n";

TEST(InstanceGuard, ArgumentsReachSecondaryMainAndItsIntBecomesTheExitCode) {
    GuardedApp app(waitingApp);
    auto first = app.start(L"own");
    ASSERT_TRUE(app.waitForLine(mainCall));

    EXPECT_EQ(app.run(L""), 7u);
    EXPECT_EQ(app.run(L"one \"\" three"), 7u);
    EXPECT_EQ(app.run(L"\"\" two"), 7u);
    const std::wstring fits(518, L'x');  // 2 + 518 * 2 + 2 = 1,040 bytes
    EXPECT_EQ(app.run(fits), 7u);
    EXPECT_EQ(app.run(fits + L"x", 5000), exitFailed) << "1,042 bytes fail without a message";
    EXPECT_EQ(app.run(L"\u00e5\u00e4\u00f6 \u65e5\u672c"), 7u);

    const std::vector<std::string> expected{"[\"\"]", "[\"one\"]", "[\"\", \"two\"]",
                                            "[\"" + std::string(518, 'x') + "\"]",
                                            "[\"\xC3\xA5\xC3\xA4\xC3\xB6\", \"\xE6\x97\xA5\xE6\x9C\xAC\"]"};
    EXPECT_EQ(app.forwardedLists(), expected);

    // Later starts never load the runtime: one VM, one main, in the first process.
    EXPECT_EQ(app.linesWith("JNI_CreateJavaVM version").size(), 1u);
    EXPECT_EQ(app.linesWith("JNI_GetDefaultJavaVMInitArgs").size(), 1u);
    EXPECT_EQ(app.linesWith(mainCall).size(), 1u);
    EXPECT_TRUE(app.linesWith("SplashInit").empty());

    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
    EXPECT_EQ(first->exitCode(), 0u);
}

TEST(InstanceGuard, VoidSecondaryMainIsAnsweredBeforeItRuns) {
    GuardedApp app("main wait-file release.txt\nsecondaryMain wait-file go.txt\nsecondaryMain out served\n");
    auto first = app.start();
    ASSERT_TRUE(app.waitForLine(mainCall));

    EXPECT_EQ(app.run(L"doc.txt"), 0u);
    // The answer comes first, so the call may reach the log only after the later start has ended.
    ASSERT_TRUE(app.waitForLine(voidCall));
    EXPECT_EQ(app.forwardedLists(voidCall), std::vector<std::string>{"[\"doc.txt\"]"});
    app.touch(L"go.txt");
    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
    EXPECT_EQ(first->exitCode(), 0u);
}

TEST(InstanceGuard, WithoutSecondaryMainALaterStartEndsWithTheFirstInstance) {
    GuardedApp app("main wait-file release.txt\nmain exit 5\n");
    auto first = app.start();
    ASSERT_TRUE(app.waitForLine(mainCall));
    auto second = app.start(L"x");
    // The worker gives up after both lookups and detaches; a reply would have gone before.
    ASSERT_TRUE(app.waitForLine("DetachCurrentThread"));
    EXPECT_FALSE(second->wait(0)) << "no reply: the later start keeps waiting";

    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
    EXPECT_EQ(first->exitCode(), 5u);
    ASSERT_TRUE(second->wait(5000));
    EXPECT_EQ(second->exitCode(), 5u);
}

TEST(InstanceGuard, StartDuringJvmStartUpIsServedOnceMainIsAboutToRun) {
    GuardedApp app("static wait-file loaded.txt\nmain wait-file release.txt\nsecondaryMain int 7\n");
    auto first = app.start();
    ASSERT_TRUE(app.waitForLine("JNI_CreateJavaVM version"));
    auto second = app.start(L"early");
    ASSERT_TRUE(app.waitForLauncherLine("forwarded start of thread"));
    EXPECT_FALSE(second->wait(0));
    EXPECT_TRUE(app.forwardedLists().empty());

    app.touch(L"loaded.txt");
    ASSERT_TRUE(second->wait(20000));
    EXPECT_EQ(second->exitCode(), 7u);
    // main is signalled as about to run just before it is called, so the served call may race main's own
    // call into the log; what is guaranteed is that main was found first.
    ASSERT_TRUE(app.waitForLine(mainCall));
    std::vector<std::string> lines = readLines(app.sandbox().path(L"calls.log"));
    auto lineWith = [&lines](const char* text) {
        return std::find_if(lines.begin(), lines.end(),
                            [text](const std::string& line) { return line.find(text) != std::string::npos; });
    };
    auto mainFoundAt = lineWith("GetStaticMethodID app/Main \"main\"");
    auto servedAt = lineWith(intCall);
    ASSERT_NE(servedAt, lines.end());
    EXPECT_LT(mainFoundAt, servedAt) << "secondaryMain only once main is about to run";

    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
}

// The later start's request is in the first run when that ends with the
// restart code unanswered; the later start is started again and served by
// the second run, and never runs main itself.
TEST(InstanceGuard, AStartDuringARestartReachesTheNextRun) {
    GuardedApp app("main wait-file go.txt\nmain exit-in-turn turns 75\nmain wait-file release.txt\n"
                   "secondaryMain wait-file served.txt\nsecondaryMain int 7\n",
                   "Single Instance=yes\nRestart Code=75\n");
    auto first = app.start();
    ASSERT_TRUE(app.waitForLine(mainCall));
    auto later = app.start(L"later");
    ASSERT_TRUE(app.waitForLine(intCall));
    app.touch(L"go.txt");
    ASSERT_TRUE(waitUntil([&] { return app.forwardedLists().size() == 2; }, 30000));
    app.touch(L"served.txt");
    ASSERT_TRUE(later->wait(20000));
    EXPECT_EQ(later->exitCode(), 7u);
    EXPECT_EQ(app.forwardedLists(), (std::vector<std::string>{"[\"later\"]", "[\"later\"]"}));
    EXPECT_EQ(app.linesWith("JNI_CreateJavaVM version").size(), 2u);

    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
    EXPECT_EQ(first->exitCode(), 0u);
}

TEST(InstanceGuard, TwentyConcurrentStartsAreEachServedExactlyOnce) {
    GuardedApp app(waitingApp);
    auto first = app.start();
    ASSERT_TRUE(app.waitForLine(mainCall));

    std::vector<std::unique_ptr<LauncherProcess>> starts;
    for (int i = 0; i < 20; ++i) starts.push_back(app.start(L"request-" + std::to_wstring(i) + L" tail"));
    for (auto& start : starts) {
        ASSERT_TRUE(start->wait(30000));
        EXPECT_EQ(start->exitCode(), 7u);
    }

    std::set<std::string> expected;
    for (int i = 0; i < 20; ++i) expected.insert("[\"request-" + std::to_string(i) + "\", \"tail\"]");
    std::vector<std::string> lists = app.forwardedLists();
    EXPECT_EQ(lists.size(), 20u);
    EXPECT_EQ(std::set<std::string>(lists.begin(), lists.end()), expected);

    app.touch(L"release.txt");
    ASSERT_TRUE(first->wait(20000));
}

TEST(InstanceGuard, AfterTheFirstInstanceEndsTheNextStartIsFirstAgain) {
    GuardedApp app("main return\nsecondaryMain int 7\n");
    EXPECT_EQ(app.run(), 0u);
    EXPECT_EQ(app.run(), 0u);
    EXPECT_EQ(app.linesWith(mainCall).size(), 2u);
    EXPECT_TRUE(app.forwardedLists().empty());
}

// Both starts run main: the guard is off, or the two never meet.
void expectBothRunMain(GuardedApp& first, GuardedApp& second) {
    auto running = first.start();
    ASSERT_TRUE(first.waitForLine(mainCall));
    auto other = second.start();
    ASSERT_TRUE(second.waitForLine(mainCall, 20000));
    if (&first == &second) {
        EXPECT_TRUE(waitUntil([&] { return first.linesWith(mainCall).size() == 2; }, 5000))
            << first.linesWith(mainCall).size();
    }
    first.touch(L"release.txt");
    second.touch(L"release.txt");
    ASSERT_TRUE(running->wait(20000));
    ASSERT_TRUE(other->wait(20000));
    EXPECT_EQ(other->exitCode(), 0u);
    EXPECT_TRUE(first.forwardedLists().empty());
    EXPECT_TRUE(second.forwardedLists().empty());
}

TEST(InstanceGuard, GuardStaysOffUnlessAskedForExactlyAndCopiesElsewhereNeverMeet) {
    GuardedApp capitalYes(waitingApp, "Single Instance=Yes\n");
    expectBothRunMain(capitalYes, capitalYes);
    GuardedApp service(waitingApp, "Application Type=service\nSingle Instance=yes\n");
    expectBothRunMain(service, service);
    GuardedApp here(waitingApp), there(waitingApp);
    expectBothRunMain(here, there);
}

}  // namespace
