// The block a running instance shares with later starts of the same
// executable: a header the first instance fills once and an argument area
// each later start writes before asking for service.
#pragma once

#include <cstddef>
#include <cstdint>

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
