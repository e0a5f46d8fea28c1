// Every public header includes this first: a compiler in an older language mode stops here, with
// one line naming the cause, instead of failing on the first C++20 construct further down.
#pragma once

#if __cplusplus < 202002L && (!defined(_MSVC_LANG) || _MSVC_LANG < 202002L)
#error "Brennick needs C++20: compile with -std=c++20 (MSVC: /std:c++20 /Zc:__cplusplus)"
#include <brennick: C++20 required>  // a missing header is fatal: nothing more is compiled
#endif
