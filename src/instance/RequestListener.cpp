#include "instance/RequestListener.h"

#include <cstring>

#include "instance/InstanceProtocol.h"

namespace {

void startWorker(ListenerContext& context, DWORD requesterThreadId) {
    auto request = std::make_unique<ForwardRequest>();
    request->requesterThreadId = requesterThreadId;
    request->requestMessage = context.requestMessage;
    request->target = context.target;
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
