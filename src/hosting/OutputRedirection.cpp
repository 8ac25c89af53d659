#include "hosting/OutputRedirection.h"

#include <vector>

#include "core/win/FileSystem.h"
#include "hosting/FolderPath.h"
#include "hosting/JavaValues.h"
#include "hosting/TimestampPicture.h"

namespace {

// GetTimeFormatW or GetDateFormatW, in a buffer of the size the call asks for first.
bool formatInto(decltype(&GetTimeFormatW) format, const SYSTEMTIME& time, const std::wstring& picture,
                std::wstring& text) {
    const int size = format(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), nullptr, 0);
    if (size <= 0) return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(size));
    if (format(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), buffer.data(), size) != size) return false;
    text.assign(buffer.data(), static_cast<size_t>(size) - 1);
    return true;
}

// GetTimeFormatW and GetDateFormatW leave each other's letters alone, so the
// picture passes through both.
std::wstring formatPicture(const std::wstring& picture, const SYSTEMTIME& time) {
    if (picture.empty()) return picture;
    std::wstring timeText, dateText;
    if (!formatInto(GetTimeFormatW, time, picture, timeText)) return picture;
    if (!formatInto(GetDateFormatW, time, timeText, dateText)) return timeText;
    return dateText;
}

}  // namespace

std::wstring expandTimestamp(const std::wstring& name, const SYSTEMTIME& time) {
    TimestampName parts;
    if (!splitTimestampName(name, parts)) return name;
    return parts.before + formatPicture(insertMilliseconds(parts.picture, time.wMilliseconds), time) + parts.after;
}

void ensureParentFolders(const std::wstring& path) {
    if (isAbsoluteFilePath(path) && fileExists(path)) return;
    FolderPath parts = splitFolderPath(path);
    if (parts.components.size() < 2) return;

    std::wstring current = parts.root;
    std::vector<std::wstring> created;
    for (size_t i = 0; i + 1 < parts.components.size(); ++i) {
        std::wstring folder = current + L"\\" + parts.components[i];
        bool made = CreateDirectoryW(folder.c_str(), nullptr) != 0;
        if (made) {
            created.push_back(folder);
        } else if (GetLastError() != ERROR_ALREADY_EXISTS && !parts.unc) {
            // Undo only what this call made: an empty folder that was there
            // before belongs to someone else.
            for (auto it = created.rbegin(); it != created.rend(); ++it) {
                std::wstring target = it->size() >= MAX_PATH ? L"\\\\?\\" + *it : *it;
                RemoveDirectoryW(target.c_str());
            }
            return;
        }
        current = folder;
    }
}

bool redirectStream(JNIEnv* env, const std::wstring& name, bool append, StandardStream stream) {
    ensureParentFolders(name);
    LocalFrame frame(env);
    if (!frame.pushed()) return false;
    jstring javaName = newJavaString(env, name);
    if (!javaName) return false;

    jclass fileClass = env->FindClass("java/io/FileOutputStream");
    if (!fileClass) return false;
    jmethodID fileConstructor = env->GetMethodID(fileClass, "<init>", "(Ljava/lang/String;Z)V");
    if (!fileConstructor) return false;
    jobject file = env->NewObject(fileClass, fileConstructor, javaName, static_cast<jboolean>(append));
    if (!file) return false;

    jobject print = newPrintStream(env, file);
    if (!print) return false;

    jclass systemClass = env->FindClass("java/lang/System");
    if (!systemClass) return false;
    const char* setter = stream == StandardStream::Output ? "setOut" : "setErr";
    jmethodID set = env->GetStaticMethodID(systemClass, setter, "(Ljava/io/PrintStream;)V");
    if (!set) return false;
    env->CallStaticVoidMethod(systemClass, set, print);
    if (env->ExceptionOccurred()) {
        env->ExceptionDescribe();
        return false;
    }
    return true;
}

void redirectStandardStreams(JNIEnv* env, OutputRedirection output) {
    bool outputHasPicture = output.outputFile.find(L'%') != std::wstring::npos;
    bool errorHasPicture = output.errorFile.find(L'%') != std::wstring::npos;
    if (outputHasPicture || errorHasPicture) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        if (outputHasPicture) output.outputFile = expandTimestamp(output.outputFile, now);
        if (errorHasPicture) output.errorFile = expandTimestamp(output.errorFile, now);
    }

    auto redirect = [env](const std::wstring& name, bool append, StandardStream stream) {
        if (!name.empty() && !redirectStream(env, name, append, stream)) describePending(env);
    };
    redirect(output.outputFile, output.outputAppend, StandardStream::Output);
    redirect(output.errorFile, output.errorAppend, StandardStream::Error);
}
