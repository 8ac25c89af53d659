#include "hosting/JavaSession.h"

#include "core/win/DiagnosticLog.h"

JavaSession::JavaSession() : stopped_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void JavaSession::adoptMainStartedEvent(ScopedHandle event) { mainStarted_ = std::move(event); }

void JavaSession::signalMainStarted() const {
    if (mainStarted_) SetEvent(mainStarted_.get());
}

void JavaSession::openVm(JavaVM* vm) {
    std::lock_guard<SlimLock> held(lock_);
    vm_ = vm;
}

void JavaSession::destroyVm() {
    JavaVM* vm;
    {
        std::lock_guard<SlimLock> held(lock_);
        vm = vm_;
    }
    if (!vm || destroyed_.load()) return;
    // Not under the lock: forwarded starts are served while it waits for
    // the application's last thread.
    logLine("DestroyJavaVM: %d", static_cast<int>(vm->DestroyJavaVM()));
    // Nor afterwards: a worker caught attaching while the runtime tore down
    // may never come back, and must not hold up the end of the process.
    destroyed_.store(true);
}

void JavaSession::stop() {
    std::lock_guard<SlimLock> held(lock_);
    stopping_ = true;
    if (stopped_) SetEvent(stopped_.get());
}

void JavaSession::handOver() {
    handedOver_.store(true);
    stop();
}

bool JavaSession::waitForMain() {
    if (mainStarted_) {
        HANDLE events[] = {mainStarted_.get(), stopped_.get()};
        if (WaitForMultipleObjects(stopped_ ? 2 : 1, events, FALSE, INFINITE) != WAIT_OBJECT_0) return false;
    }
    std::lock_guard<SlimLock> held(lock_);
    return !stopping_;
}

JNIEnv* JavaSession::attachWorker() {
    std::lock_guard<SlimLock> held(lock_);
    if (stopping_ || destroyed_.load() || !vm_) return nullptr;
    JNIEnv* env = nullptr;
    if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return nullptr;
    return env;
}

JavaVM* JavaSession::vm() {
    std::lock_guard<SlimLock> held(lock_);
    return destroyed_.load() ? nullptr : vm_;
}
