#include <jni.h>

#include <memory>
#include <string>

#include "core/win/DiagnosticLog.h"
#include "hosting/JavaValues.h"
#include "instance/InstanceProtocol.h"
#include "instance/RequestListener.h"

namespace {

void reply(const ForwardRequest& request, int value) {
    logLine("forwarded start of thread %u answered %d", static_cast<unsigned>(request.requesterThreadId), value);
    PostThreadMessageW(request.requesterThreadId, request.requestMessage, static_cast<WPARAM>(value), 0);
}

void invokeSecondaryMain(JNIEnv* env, jclass mainClass, const ForwardRequest& request) {
    bool returnsInt = false;
    jmethodID method = env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)V");
    if (exceptionPending(env)) env->ExceptionClear();
    if (!method) {
        method = env->GetStaticMethodID(mainClass, "secondaryMain", "([Ljava/lang/String;)I");
        returnsInt = true;
        if (!method) {
            describePending(env);
            return;
        }
    }

    jobjectArray arguments =
        newJavaStringArray(env, unpackArguments(request.block.data(), request.block.size()));
    if (!arguments) {
        describePending(env);
        return;
    }
    if (returnsInt) {
        reply(request, env->CallStaticIntMethod(mainClass, method, arguments));
    } else {
        reply(request, 0);
        env->CallStaticVoidMethod(mainClass, method, arguments);
    }
    describePending(env);
    env->DeleteLocalRef(arguments);
}

}  // namespace

DWORD WINAPI forwardWorkerMain(void* parameter) {
    std::unique_ptr<ForwardRequest> request(static_cast<ForwardRequest*>(parameter));
    const ForwardTarget& target = *request->target;
    logLine("forwarded start of thread %u received", static_cast<unsigned>(request->requesterThreadId));
    JavaSession& session = *target.session;
    if (!session.waitForMain()) {
        // The application runs in the pair: the waiting start goes there itself.
        if (session.handedOver()) {
            logLine("forwarded start of thread %u told to start again",
                    static_cast<unsigned>(request->requesterThreadId));
            PostThreadMessageW(request->requesterThreadId, request->requestMessage, 0, kStartAgainReply);
        }
        return 0;
    }
    JNIEnv* env = session.attachWorker();
    if (!env) return 0;
    // The class main runs in, however the Java thread found it: on the class
    // path, in a module, or through the runtime's launcher helper.
    if (jclass mainClass = session.mainClass()) invokeSecondaryMain(env, mainClass, *request);
    if (target.keepsThreadsAttached) return 0;
    // Attached, this thread holds off the VM's destruction, so the VM is still there.
    if (JavaVM* vm = session.vm()) vm->DetachCurrentThread();
    return 0;
}
