// What the Java thread, the forward workers and the splash thread share
// while the application runs. Each member names its synchronisation; all
// else a thread needs it is handed by value when it starts.
#pragma once

#include <windows.h>

#include <jni.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "core/win/Scoped.h"
#include "core/win/SlimLock.h"

class JavaSession {
public:
    JavaSession();
    JavaSession(const JavaSession&) = delete;
    JavaSession& operator=(const JavaSession&) = delete;

    // Atomic. The live splash window or null, written by the splash thread:
    // the owner of every message shown while it exists.
    std::atomic<HWND> splashWindow{nullptr};

    // The manual-reset event that holds workers until main is about to run;
    // set once, by the Java thread. Without one, workers pass at once.
    void adoptMainStartedEvent(ScopedHandle event);
    // The Java thread keeps the main class (a global reference) before it
    // signals; workers read it only after waitForMain.
    void keepMainClass(jclass mainClass) { mainClass_ = mainClass; }
    jclass mainClass() const { return mainClass_; }
    void signalMainStarted() const;

    // The Java thread opens the VM once it is created, under the lock, and
    // marks it destroyed once DestroyJavaVM has returned. A worker attaches
    // under the lock and only before that mark: while DestroyJavaVM still
    // waits for the last Java thread, an attached worker holds it off until
    // it detaches.
    void openVm(JavaVM* vm);
    void destroyVm();
    // Teardown: workers still waiting for main, or coming later, go away.
    void stop();
    // The start goes on in another process (the pair): as stop(), and the
    // workers tell their waiting starts to start again.
    void handOver();
    bool handedOver() const { return handedOver_.load(); }

    // A worker: waits until main is about to run; false once the session
    // has stopped.
    bool waitForMain();
    // A worker, after waitForMain: null when the VM is gone, the session has
    // stopped or the attach failed.
    JNIEnv* attachWorker();
    // The VM, null before it is opened and once it is destroyed; an attached
    // thread always gets it, since the VM waits for it.
    JavaVM* vm();

private:
    ScopedHandle mainStarted_;
    jclass mainClass_ = nullptr;
    ScopedHandle stopped_;  // manual reset
    SlimLock lock_;
    JavaVM* vm_ = nullptr;
    bool stopping_ = false;
    std::atomic<bool> destroyed_{false};
    std::atomic<bool> handedOver_{false};
};

using SharedJavaSession = std::shared_ptr<JavaSession>;
