#include "hosting/MainClass.h"

#include <algorithm>
#include <cstdarg>

#include "core/win/DiagnosticLog.h"
#include "hosting/JavaValues.h"
#include "hosting/ModifiedUtf8.h"
#include "resources/resource.h"

namespace {

// The runtime's own launcher helper, which reports its failures itself (and
// ends the start for a module it cannot run): mode 1 takes a dotted class
// name, mode 3 a module as "java -m" does.
jclass loadThroughHelper(JNIEnv* env, const JavaLaunch& launch) {
    if (!launch.entryPoints.findClassFromBootLoader) return nullptr;
    jclass helper = launch.entryPoints.findClassFromBootLoader(env, "sun/launcher/LauncherHelper");
    jclass mainClass = nullptr;
    if (helper) {
        jmethodID checkAndLoad =
            env->GetStaticMethodID(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
        const bool fromModule = !launch.mainModule.empty();
        std::wstring what = fromModule ? launch.mainModule : launch.mainClass;
        if (!fromModule) std::replace(what.begin(), what.end(), L'/', L'.');
        jstring name = checkAndLoad ? newJavaString(env, what) : nullptr;
        if (name) {
            mainClass = static_cast<jclass>(
                env->CallStaticObjectMethod(helper, checkAndLoad, JNI_TRUE, fromModule ? 3 : 1, name));
            logLine(mainClass ? "main class loaded by LauncherHelper" : "LauncherHelper did not load the main class");
            env->DeleteLocalRef(name);
        }
        env->DeleteLocalRef(helper);
    }
    // The helper has printed its own error; the lookup that follows gets a clean slate.
    if (!mainClass && exceptionPending(env)) env->ExceptionClear();
    return mainClass;
}

// The result of an object method of the class `className`, called on `self`
// or, when `self` is null, of its static method; null when any of it is
// missing or throws, with the exception left pending.
jobject callObjectMethod(JNIEnv* env, const char* className, jobject self, const char* name, const char* descriptor,
                         ...) {
    jclass cls = env->FindClass(className);
    if (!cls) return nullptr;
    jmethodID method = self == nullptr ? env->GetStaticMethodID(cls, name, descriptor)
                                       : env->GetMethodID(cls, name, descriptor);
    if (!method) {
        env->DeleteLocalRef(cls);
        return nullptr;
    }
    va_list arguments;
    va_start(arguments, descriptor);
    jobject result = self == nullptr ? env->CallStaticObjectMethodV(cls, method, arguments)
                                     : env->CallObjectMethodV(self, method, arguments);
    va_end(arguments);
    env->DeleteLocalRef(cls);
    return result;
}

// An Optional's value, or null when it is empty.
jobject presentValue(JNIEnv* env, jobject optional) {
    if (!optional) return nullptr;
    return callObjectMethod(env, "java/util/Optional", optional, "orElse", "(Ljava/lang/Object;)Ljava/lang/Object;",
                            static_cast<jobject>(nullptr));
}

// As public API finds it: the module in the boot layer, the class named or
// else the one its descriptor names, from that module. Made in a frame of
// its own, which keeps only the class.
jclass loadFromModule(JNIEnv* env, const std::wstring& what) {
    LocalFrame frame(env);
    if (!frame.pushed()) return nullptr;
    const size_t slash = what.find(L'/');
    jobject layer = callObjectMethod(env, "java/lang/ModuleLayer", nullptr, "boot", "()Ljava/lang/ModuleLayer;");
    jstring moduleName = layer ? newJavaString(env, what.substr(0, slash)) : nullptr;
    jobject module = presentValue(
        env, moduleName ? callObjectMethod(env, "java/lang/ModuleLayer", layer, "findModule",
                                           "(Ljava/lang/String;)Ljava/util/Optional;", moduleName)
                        : nullptr);
    if (!module) return nullptr;
    jobject className = nullptr;
    if (slash != std::wstring::npos) {
        className = newJavaString(env, what.substr(slash + 1));
    } else {
        jobject descriptor = callObjectMethod(env, "java/lang/Module", module, "getDescriptor",
                                              "()Ljava/lang/module/ModuleDescriptor;");
        if (descriptor) {
            className = presentValue(env, callObjectMethod(env, "java/lang/module/ModuleDescriptor", descriptor,
                                                           "mainClass", "()Ljava/util/Optional;"));
        }
    }
    // Class.forName(Module, String) answers null, throwing nothing, for a class the module lacks.
    jobject found = className ? callObjectMethod(env, "java/lang/Class", nullptr, "forName",
                                                 "(Ljava/lang/Module;Ljava/lang/String;)Ljava/lang/Class;", module,
                                                 className)
                              : nullptr;
    return static_cast<jclass>(frame.keep(found));
}

// The name goes to FindClass as the launcher encodes it: making a Java string
// of it first would run Java code that a bare host does not.
jclass loadDirectly(JNIEnv* env, const std::wstring& mainClass) {
    jclass cls = env->FindClass(encodeModifiedUtf8(mainClass).c_str());
    logLine(cls ? "FindClass of the main class: found" : "FindClass of the main class: not found");
    return cls;
}

constexpr jint kPrivate = 0x0002;

// Through reflection, which runs Java code: asked only of the forms Java 25 added.
bool isPrivate(JNIEnv* env, jclass cls, jmethodID method, bool isStatic) {
    LocalFrame frame(env);
    jobject member = frame.pushed() ? env->ToReflectedMethod(cls, method, isStatic) : nullptr;
    jclass executable = member ? env->FindClass("java/lang/reflect/Executable") : nullptr;
    jmethodID getModifiers = executable ? env->GetMethodID(executable, "getModifiers", "()I") : nullptr;
    const jint modifiers = getModifiers ? env->CallIntMethod(member, getModifiers) : kPrivate;
    if (!exceptionPending(env)) return (modifiers & kPrivate) != 0;
    env->ExceptionClear();
    return true;
}

}  // namespace

MaybeFailure loadMainClass(JNIEnv* env, const JavaLaunch& launch, jclass& mainClass) {
    mainClass = loadThroughHelper(env, launch);
    if (mainClass) return std::nullopt;
    const bool fromModule = !launch.mainModule.empty();
    mainClass = fromModule ? loadFromModule(env, launch.mainModule) : loadDirectly(env, launch.mainClass);
    if (mainClass) return std::nullopt;
    describePending(env);
    return failureMessage(IDS_MAIN_CLASS_NOT_FOUND, {fromModule ? launch.mainModule : launch.mainClass});
}

MaybeFailure findMainMethod(JNIEnv* env, jclass mainClass, MainMethod& main) {
    main = MainMethod{};
    main.id = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (main.id) return std::nullopt;
    // What the classic lookup left pending is the JVM's answer when no other form fits either.
    jthrowable missing = env->ExceptionOccurred();
    if (missing) env->ExceptionClear();
    const struct {
        const char* descriptor;
        bool isStatic;
    } forms[] = {{"([Ljava/lang/String;)V", false}, {"()V", true}, {"()V", false}};
    for (const auto& form : forms) {
        main.id = form.isStatic ? env->GetStaticMethodID(mainClass, "main", form.descriptor)
                                : env->GetMethodID(mainClass, "main", form.descriptor);
        if (exceptionPending(env)) env->ExceptionClear();
        if (main.id && !isPrivate(env, mainClass, main.id, form.isStatic)) {
            main.isStatic = form.isStatic;
            main.takesArguments = form.descriptor[1] == '[';
            break;
        }
        main.id = nullptr;
    }
    if (!main.id) {
        logLine("main method not found");
        if (!missing) return failureMessage(IDS_MAIN_METHOD_MISSING);
        env->Throw(missing);
        env->DeleteLocalRef(missing);
        env->ExceptionDescribe();
        return silentFailure();
    }
    if (missing) env->DeleteLocalRef(missing);
    logLine("main method found: %a%a", main.isStatic ? "static" : "instance",
            main.takesArguments ? ", with arguments" : ", without arguments");
    if (main.isStatic) return std::nullopt;
    // No other form is tried when the class cannot be made.
    jmethodID constructor = env->GetMethodID(mainClass, "<init>", "()V");
    if (exceptionPending(env)) env->ExceptionClear();
    if (!constructor || isPrivate(env, mainClass, constructor, false)) return failureMessage(IDS_MAIN_METHOD_MISSING);
    main.instance = env->NewObject(mainClass, constructor);
    if (main.instance) return std::nullopt;
    describePending(env);
    return silentFailure();
}
