#include "core/ErrorReporting.h"

#include <cstdarg>
#include <cwchar>
#include <memory>
#include <vector>

#include "core/win/StandardError.h"
#include "resources/resource.h"

namespace {

bool isResourceId(const wchar_t* text) { return IS_INTRESOURCE(text); }

// Filled before any other thread starts, read-only afterwards; null while nothing is replaced.
std::unique_ptr<std::wstring[]> replacedTexts;

bool isMessageId(UINT id) { return id >= IDS_WINDOWS_ERROR && id <= IDS_JNI_EINVAL; }

std::wstring vformat(const std::wstring& format, va_list arguments) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, arguments);
        int written = _vsnwprintf(buffer.data(), buffer.size(), format.c_str(), copy);
        va_end(copy);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
            return std::wstring(buffer.data(), written);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

void replaceMessageText(UINT id, std::wstring text) {
    if (!isMessageId(id)) return;
    if (!replacedTexts) replacedTexts.reset(new std::wstring[IDS_JNI_EINVAL - IDS_WINDOWS_ERROR + 1]);
    replacedTexts[id - IDS_WINDOWS_ERROR] = std::move(text);
}

std::wstring loadString(UINT id) {
    if (isMessageId(id) && replacedTexts) {
        const std::wstring& replaced = replacedTexts[id - IDS_WINDOWS_ERROR];
        if (!replaced.empty()) return replaced;
    }
    std::vector<wchar_t> buffer(256);
    for (;;) {
        int length = LoadStringW(GetModuleHandleW(nullptr), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length < static_cast<int>(buffer.size()) - 1) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring formatString(UINT format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::wstring text = vformat(loadString(format), arguments);
    va_end(arguments);
    return text;
}

int showMessage(HWND owner, const wchar_t* text, const wchar_t* caption) {
    std::wstring loadedText;
    std::wstring loadedCaption;
    if (text && isResourceId(text)) {
        loadedText = loadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
        text = loadedText.c_str();
    }
    if (caption && isResourceId(caption)) {
        loadedCaption = loadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(caption)));
        caption = loadedCaption.c_str();
    }
#ifdef LAUNCHER_CONSOLE
    // A console program's user reads its standard error; nobody would see a box.
    (void)owner;
    std::wstring line = caption && *caption ? std::wstring(caption) + L": " : std::wstring();
    writeStandardError(line + (text ? text : L""));
    return IDOK;
#else
    return MessageBoxW(owner, text, caption, MB_ICONERROR);
#endif
}

int showError(HWND owner, const wchar_t* text) { return showMessage(owner, text, nullptr); }

std::wstring failureText(const Failure& failure) {
    if (failure.messageId == 0) return {};
    const std::vector<std::wstring>& texts = failure.texts;
    const wchar_t* first = texts.size() > 0 ? texts[0].c_str() : L"";
    if (failure.withErrorCode) return formatString(failure.messageId, first, static_cast<int>(failure.errorCode));
    if (texts.empty()) return loadString(failure.messageId);
    const wchar_t* second = texts.size() > 1 ? texts[1].c_str() : L"";
    return formatString(failure.messageId, first, second);
}

void showFailure(HWND owner, const Failure& failure) {
    if (failure.messageId == 0) return;
    showError(owner, failureText(failure).c_str());
}

std::wstring jniReason(int code) {
    if (code >= -6 && code <= -1) return loadString(IDS_JNI_ERR - 1 - code);
    return std::wstring();
}
