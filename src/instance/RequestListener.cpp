#include "instance/RequestListener.h"

#include <cstring>

#include "instance/SingleInstanceBlock.h"

namespace {

void startWorker(ListenerContext& context, DWORD requesterThreadId) {
    auto request = std::make_unique<ForwardRequest>();
    request->requesterThreadId = requesterThreadId;
    request->requestMessage = context.requestMessage;
    request->gate = context.gate;
    const auto* shared = reinterpret_cast<const unsigned char*>(context.block);
    request->block.assign(shared, shared + kBlockSize);
    // The writer keeps the block to itself until this signal.
    SetEvent(context.requestCopied.get());

    ScopedHandle worker(CreateThread(nullptr, 0, context.worker, request.get(), 0, nullptr));
    if (worker) request.release();
}

}  // namespace

DWORD WINAPI listenerThreadMain(void* parameter) {
    auto& context = *static_cast<ListenerContext*>(parameter);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == context.requestMessage) {
            startWorker(context, static_cast<DWORD>(message.wParam));
        }
    }
    return 0;
}

std::unique_lock<std::mutex> passGate(WorkerGate& gate) {
    if (gate.mainStarted) {
        HANDLE handles[] = {gate.mainStarted.get(), gate.stop.get()};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) return {};
    }
    std::unique_lock<std::mutex> held(gate.lock);
    if (gate.stopping) held.unlock();
    return held;
}

void closeGate(WorkerGate& gate) {
    std::lock_guard<std::mutex> guard(gate.lock);
    gate.stopping = true;
    SetEvent(gate.stop.get());
}
