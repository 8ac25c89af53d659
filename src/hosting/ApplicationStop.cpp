#include "hosting/ApplicationStop.h"

#include "core/win/DiagnosticLog.h"
#include "hosting/JavaThread.h"
#include "hosting/JavaValues.h"

void requestApplicationEnd(JavaSession& session) {
    JNIEnv* env = session.attachWorker();
    if (!env) {
        logLine("stop request: the JVM is gone");
        return;
    }
    // However the Java thread found it: on the class path, in a module or through the launcher helper.
    jclass cls = session.mainClass();
    jmethodID serviceStop = cls ? env->GetStaticMethodID(cls, "serviceStop", "()V") : nullptr;
    if (exceptionPending(env)) env->ExceptionClear();
    if (serviceStop) {
        logLine("stop request: serviceStop()");
        env->CallStaticVoidMethod(cls, serviceStop);
        describePending(env);
    } else {
        logLine("stop request: no serviceStop(), System.exit(0)");
        callSystemExit(env, 0);
    }
    // Attached, this thread would hold off the VM's destruction.
    if (JavaVM* vm = session.vm()) vm->DetachCurrentThread();
}
