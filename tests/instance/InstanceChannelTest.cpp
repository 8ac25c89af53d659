#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "instance/InstanceChannel.h"
#include "instance/InstanceProtocol.h"
#include "instance/RequestListener.h"
#include "support/Polling.h"

namespace {

// What the scripted worker saw: stands in for secondaryMain.
struct Served {
    std::mutex lock;
    std::vector<std::vector<std::wstring>> lists;
    int stoppedAtGate = 0;
} served;

// Replies with the number that ends the first argument.
DWORD WINAPI scriptedWorker(void* parameter) {
    std::unique_ptr<ForwardRequest> request(static_cast<ForwardRequest*>(parameter));
    if (!request->target->session->waitForMain()) {
        if (request->target->session->handedOver()) {
            PostThreadMessageW(request->requesterThreadId, request->requestMessage, 0, kStartAgainReply);
        }
        std::lock_guard<std::mutex> guard(served.lock);
        ++served.stoppedAtGate;
        return 0;
    }
    std::vector<std::wstring> list = unpackArguments(request->block.data(), request->block.size());
    {
        std::lock_guard<std::mutex> guard(served.lock);
        served.lists.push_back(list);
    }
    const std::wstring& first = list.front();
    int value = first.empty() ? 0 : std::stoi(first.substr(first.find_last_not_of(L"0123456789") + 1));
    PostThreadMessageW(request->requesterThreadId, request->requestMessage, static_cast<WPARAM>(value), 0);
    return 0;
}

std::wstring uniqueName(const char* test) {
    std::string text = test;
    return L"instance_tests_" + std::wstring(text.begin(), text.end()) + L"_" +
           std::to_wstring(GetCurrentProcessId());
}

void giveThreadAQueue() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

class InstanceChannel : public ::testing::Test {
protected:
    void SetUp() override {
        giveThreadAQueue();
        std::lock_guard<std::mutex> guard(served.lock);
        served.lists.clear();
        served.stoppedAtGate = 0;
        name = uniqueName(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    void startFirst() {
        ASSERT_TRUE(openSharedBlock(first, name));
        ASSERT_TRUE(first.isFirstInstance);
        ASSERT_TRUE(startListening(first, name, target, scriptedWorker));
    }

    void openSecond(SingleInstanceState& second) {
        ASSERT_TRUE(openSharedBlock(second, name));
        ASSERT_FALSE(second.isFirstInstance);
    }

    void TearDown() override { closeSharedBlock(first); }

    std::wstring name;
    SingleInstanceState first;
    SharedJavaSession session = std::make_shared<JavaSession>();
    std::shared_ptr<const ForwardTarget> target{new ForwardTarget{false, session}};
};

TEST_F(InstanceChannel, ConcurrentStartsEachGetTheirOwnCallAndReply) {
    startFirst();
    session->signalMainStarted();
    constexpr int kStarts = 20;
    std::vector<int> replies(kStarts, -100);
    std::vector<std::thread> starts;
    for (int i = 0; i < kStarts; ++i) {
        starts.emplace_back([&, i] {
            giveThreadAQueue();
            SingleInstanceState second;
            if (!openSharedBlock(second, name)) return;
            // Lengths differ so that a list overwritten mid-copy would show.
            std::vector<std::wstring> arguments{L"start-" + std::to_wstring(i), std::wstring(i * 20 + 1, L'p')};
            if (sendRequest(second, name, arguments) != RequestOutcome::sent) return;
            replies[i] = awaitReply(second).value_or(-200);
        });
    }
    for (std::thread& start : starts) start.join();

    for (int i = 0; i < kStarts; ++i) EXPECT_EQ(replies[i], i) << "start " << i;
    std::lock_guard<std::mutex> guard(served.lock);
    ASSERT_EQ(served.lists.size(), static_cast<size_t>(kStarts));
    std::set<std::wstring> seen;
    for (const auto& list : served.lists) {
        ASSERT_EQ(list.size(), 2u);
        const int i = std::stoi(list[0].substr(6));
        EXPECT_EQ(list[1], std::wstring(i * 20 + 1, L'p'));
        seen.insert(list[0]);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kStarts)) << "no request may be served twice";
}

TEST_F(InstanceChannel, TeardownLetsWaitingWorkersGoAndFreesTheName) {
    startFirst();
    {
        SingleInstanceState second;
        openSecond(second);
        ASSERT_EQ(sendRequest(second, name, {L"never-1"}), RequestOutcome::sent);
    }
    closeSharedBlock(first);
    const auto stopped = [] {
        std::lock_guard<std::mutex> guard(served.lock);
        return served.stoppedAtGate;
    };
    EXPECT_TRUE(waitUntil([&] { return stopped() != 0; }, 1000));
    EXPECT_EQ(stopped(), 1);
    EXPECT_TRUE(served.lists.empty());

    SingleInstanceState next;
    ASSERT_TRUE(openSharedBlock(next, name));
    EXPECT_TRUE(next.isFirstInstance);
}

TEST_F(InstanceChannel, HandingOverTellsWaitingStartsToStartAgainAndFreesTheName) {
    startFirst();
    SingleInstanceState second;
    openSecond(second);
    ASSERT_EQ(sendRequest(second, name, {L"held-1"}), RequestOutcome::sent);
    handOverSharedBlock(first);
    EXPECT_EQ(awaitReply(second), std::nullopt);
    EXPECT_TRUE(served.lists.empty());

    closeSharedBlock(second);
    SingleInstanceState next;
    ASSERT_TRUE(openSharedBlock(next, name));
    EXPECT_TRUE(next.isFirstInstance);
}

TEST_F(InstanceChannel, LaterStartWaitsBrieflyForTheHeader) {
    ASSERT_TRUE(openSharedBlock(first, name));
    SingleInstanceState second;
    openSecond(second);
    EXPECT_EQ(sendRequest(second, name, {L"early-1"}, 200), RequestOutcome::startAgain)
        << "a header that stays empty: nobody serves the start";

    // The header is filled only once the later start is on its way to wait for it.
    ScopedHandle waiting(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    bool listening = false;
    std::thread late([&] {
        WaitForSingleObject(waiting.get(), INFINITE);
        listening = startListening(first, name, target, scriptedWorker);
        session->signalMainStarted();
    });
    SetEvent(waiting.get());
    const RequestOutcome sent = sendRequest(second, name, {L"early-3"}, scaled(kListenerReadyWaitMs));
    late.join();
    ASSERT_TRUE(listening);
    ASSERT_EQ(sent, RequestOutcome::sent);
    EXPECT_EQ(awaitReply(second), 3);
}

TEST_F(InstanceChannel, WithoutReplyTheFirstInstanceExitCodeIsReturned) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"cmd.exe /c exit 5";
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process));
    ScopedHandle thread(process.hThread);

    SingleInstanceState second;
    second.requestMessage = RegisterWindowMessageW(name.c_str());
    second.ownerProcess.reset(process.hProcess);
    EXPECT_EQ(awaitReply(second), 5);

    // A reply posted before the first instance ended still wins.
    PostThreadMessageW(GetCurrentThreadId(), second.requestMessage, 9, 0);
    EXPECT_EQ(awaitReply(second), 9);

    // An exit code that cannot be read.
    second.ownerProcess.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(awaitReply(second), -1);
}

}  // namespace
