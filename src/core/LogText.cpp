#include "core/LogText.h"

namespace {

// For code points from U+0080 on; ASCII goes through appendValue's checks.
void appendUtf8(std::string& out, uint32_t code) {
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isHighSurrogate(uint32_t code) { return code >= 0xD800 && code <= 0xDBFF; }
bool isLowSurrogate(uint32_t code) { return code >= 0xDC00 && code <= 0xDFFF; }

// A narrow value is UTF-8 already: only its control characters change.
void appendValue(std::string& out, char c) {
    if (c == '\n') {
        out += "\\n";
    } else if (c != '\r') {
        out += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? '?' : c;
    }
}

// wchar_t is UTF-16 on Windows and UTF-32 where the pure tests run; both are read here.
void appendValue(std::string& out, const wchar_t* text) {
    if (!text) return;
    for (; *text; ++text) {
        uint32_t code = static_cast<uint32_t>(*text);
        if (code < 0x80) {
            appendValue(out, static_cast<char>(code));
            continue;
        }
        if (isHighSurrogate(code) && isLowSurrogate(static_cast<uint32_t>(text[1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(*++text) - 0xDC00);
        } else if (isHighSurrogate(code) || isLowSurrogate(code) || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        appendUtf8(out, code);
    }
}

void appendDecimal(std::string& out, uint64_t value) {
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) out += digits[--count];
}

}  // namespace

std::string formatLogText(const char* format, va_list arguments) {
    std::string out;
    for (; *format; ++format) {
        if (*format != '%' || !format[1]) {
            out += *format;
            continue;
        }
        switch (*++format) {
            case 's':
                appendValue(out, va_arg(arguments, const wchar_t*));
                break;
            case 'a':
                for (const char* text = va_arg(arguments, const char*); text && *text; ++text) {
                    appendValue(out, *text);
                }
                break;
            case 'd': {
                const int value = va_arg(arguments, int);
                if (value < 0) out += '-';
                // Negated in unsigned arithmetic, so the most negative value has its magnitude too.
                appendDecimal(out, value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
                break;
            }
            case 'u':
                appendDecimal(out, va_arg(arguments, unsigned int));
                break;
            case 'x': {
                const unsigned int value = va_arg(arguments, unsigned int);
                out += "0x";
                for (int shift = 28; shift >= 0; shift -= 4) out += "0123456789ABCDEF"[value >> shift & 0xF];
                break;
            }
            default:
                out += *format;
        }
    }
    return out;
}

std::string logLine(uint32_t milliseconds, uint32_t processId, uint32_t threadId, const std::string& text) {
    std::string line;
    appendDecimal(line, milliseconds);
    line += " ms [";
    appendDecimal(line, processId);
    line += ':';
    appendDecimal(line, threadId);
    line += "] ";
    line += text;
    line += "\r\n";
    return line;
}
