// The single-instance guard's share of the launcher state.
#pragma once

#include <windows.h>

#include "core/win/Scoped.h"

struct SingleInstanceBlock;

struct SingleInstanceState {
    bool singleInstance = false;
    bool isFirstInstance = false;
    ScopedHandle mapping;
    ScopedMappedView view;
    ScopedHandle listenerThread;
    UINT requestMessage = 0;
};
