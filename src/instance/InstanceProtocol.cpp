#include "instance/InstanceProtocol.h"

#include <cstring>
#include <limits>

namespace {

// Every object's name is the instance name and a suffix of this length.
constexpr size_t kSuffixLength = 8;
// A registered message's name is an atom of at most 255 characters; a kernel
// object's name takes at most MAX_PATH with its terminator.
constexpr size_t kLongestInstanceName = 260 - 1 - kSuffixLength;

}  // namespace

std::wstring instanceNameOf(const std::wstring& modulePath) {
    if (modulePath.size() > kLongestInstanceName) {
        // FNV-1a over the whole path: still one name per executable, and no
        // real path's name looks like this one (it would begin with a drive
        // letter and a colon, or with two underscores).
        uint64_t hash = 14695981039346656037ull;
        for (wchar_t c : modulePath) {
            hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
        }
        std::wstring name = L"launcher_instance_0000000000000000";
        for (size_t i = name.size(); hash != 0; hash >>= 4) name[--i] = L"0123456789abcdef"[hash & 15];
        return name;
    }
    std::wstring name = modulePath;
    for (wchar_t& c : name) {
        if (c == L'\\') c = L'_';
    }
    return name;
}

std::wstring mainStartedEventName(const std::wstring& instanceName) { return instanceName + L"_upr_evt"; }

std::wstring writerLockName(const std::wstring& instanceName) { return instanceName + L"_upr_mtx"; }

std::wstring requestCopiedEventName(const std::wstring& instanceName) { return instanceName + L"_upr_cpy"; }

namespace {

// Little-endian on every side of the block, whatever the host.
unsigned readUnit(const unsigned char* at) { return at[0] | (at[1] << 8); }

void writeUnit(unsigned char* at, unsigned unit) {
    at[0] = static_cast<unsigned char>(unit & 0xFF);
    at[1] = static_cast<unsigned char>((unit >> 8) & 0xFF);
}

}  // namespace

size_t packedArgumentsSize(const std::vector<std::wstring>& arguments) {
    constexpr size_t kMax = std::numeric_limits<size_t>::max();
    size_t total = 2;
    for (const std::wstring& argument : arguments) {
        if (argument.size() > (kMax - 2) / 2 || total > kMax - (2 * argument.size() + 2)) return kMax;
        total += 2 * argument.size() + 2;
    }
    return total;
}

bool packArguments(const std::vector<std::wstring>& arguments, unsigned char* block, size_t blockSize) {
    if (blockSize < kArgumentsOffset + kArgumentsLimit) return false;
    if (packedArgumentsSize(arguments) > kArgumentsLimit) return false;
    std::memset(block + kArgumentsOffset, 0, kArgumentsLimit);
    unsigned char* at = block + kArgumentsOffset;
    for (const std::wstring& argument : arguments) {
        for (wchar_t unit : argument) {
            writeUnit(at, static_cast<unsigned>(unit));
            at += 2;
        }
        at += 2;
    }
    return true;
}

std::vector<std::wstring> unpackArguments(const unsigned char* block, size_t blockSize) {
    std::vector<std::wstring> list;
    const size_t end = blockSize < kArgumentsWalkEnd ? blockSize : kArgumentsWalkEnd;
    std::wstring current;
    for (size_t offset = kArgumentsOffset; offset + 2 <= end; offset += 2) {
        unsigned unit = readUnit(block + offset);
        if (unit != 0) {
            current += static_cast<wchar_t>(unit);
            continue;
        }
        list.push_back(current);
        current.clear();
        // The unit after the walk's end may still lie inside the block.
        if (offset + 4 > blockSize || readUnit(block + offset + 2) == 0) break;
    }
    return list;
}
