// Forced into every source of the shipped program. The standard library
// instantiates all of std::string and std::wstring in one object file each,
// which a single call pulls in whole; instantiating only the members used
// lets section collection keep just those.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
