// A failure on its way up to the one place that shows it: a string-table
// text, its arguments and the exit code it ends the process with.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Failure {
    unsigned messageId = 0;           // 0: the process ends without a message
    std::vector<std::wstring> texts;  // the "%s" arguments, in order
    bool withErrorCode = false;       // the format's last argument is a "%d" error number
    unsigned long errorCode = 0;
    int exitCode = -1;
};

using MaybeFailure = std::optional<Failure>;

inline Failure failureMessage(unsigned messageId, std::vector<std::wstring> texts = {}) {
    Failure failure;
    failure.messageId = messageId;
    failure.texts = std::move(texts);
    return failure;
}

inline Failure windowsFailure(unsigned format, std::wstring text, unsigned long errorCode) {
    Failure failure = failureMessage(format, {std::move(text)});
    failure.withErrorCode = true;
    failure.errorCode = errorCode;
    return failure;
}

inline Failure silentFailure(int exitCode = -1) {
    Failure failure;
    failure.exitCode = exitCode;
    return failure;
}
