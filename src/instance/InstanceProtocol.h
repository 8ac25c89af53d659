// What the instances of one executable share: the block a running instance
// fills once and each later start writes its arguments into, and the names
// of the objects around it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The block a running instance shares with later starts of the same
// executable: a header the first instance fills once and an argument area
// each later start writes before asking for service.
struct SingleInstanceBlock {
    uint32_t listenerThreadId;
    uint32_t ownerProcessId;
    uint32_t requestMessage;
    unsigned char arguments[2080];
};

constexpr size_t kBlockSize = 2092;
constexpr size_t kArgumentsOffset = 12;
// A writer uses only the first part of the argument area.
constexpr size_t kArgumentsLimit = 1040;
// A reader never walks past this offset, whatever the block holds.
constexpr size_t kArgumentsWalkEnd = 2090;

static_assert(sizeof(SingleInstanceBlock) == kBlockSize, "the block layout is shared with other processes");
static_assert(offsetof(SingleInstanceBlock, ownerProcessId) == 4, "header layout");
static_assert(offsetof(SingleInstanceBlock, requestMessage) == 8, "header layout");
static_assert(offsetof(SingleInstanceBlock, arguments) == kArgumentsOffset, "header layout");

// The header is written by another process: each read takes it fresh.
inline uint32_t readShared(const uint32_t& field) { return __atomic_load_n(&field, __ATOMIC_ACQUIRE); }

// A reply's lParam: 0 when its wParam is the answer; this value when the
// instance reached gave its start to another process, so the later start
// starts again (as the first instance, or as a later start of the next).
constexpr long kStartAgainReply = 1;

// Names of the objects that the instances of one executable share.
// The executable's full path with every backslash turned into an underscore:
// copies in different folders never meet. A path too long to name the
// objects by gets a fixed-length name made from its hash.
std::wstring instanceNameOf(const std::wstring& modulePath);

std::wstring mainStartedEventName(const std::wstring& instanceName);

// Held by one later start from writing the block until the running instance
// has copied it, so concurrent starts never overwrite each other's request.
std::wstring writerLockName(const std::wstring& instanceName);

// Signalled by the running instance once it has copied a request.
std::wstring requestCopiedEventName(const std::wstring& instanceName);

// Application arguments in the shared block: UTF-16 strings, each followed
// by one NUL, the list closed by one more NUL.

// Bytes the packed list takes: 2 per character plus 2 per string, plus 2.
// Saturates instead of wrapping.
size_t packedArgumentsSize(const std::vector<std::wstring>& arguments);

// Writes the list into a whole block (at least kArgumentsOffset +
// kArgumentsLimit bytes). False, with nothing written, when it does not fit.
bool packArguments(const std::vector<std::wstring>& arguments, unsigned char* block, size_t blockSize);

// Reads the list back from a block of any contents. Stops at the first empty
// string that follows a NUL, at kArgumentsWalkEnd, or at the end of the
// block; an unfinished string at the end is left out.
std::vector<std::wstring> unpackArguments(const unsigned char* block, size_t blockSize);
