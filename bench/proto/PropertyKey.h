// Prototype of a change to the user32 binding: a property name reaches the system as an atom,
// found once per name, instead of as a string that the system looks up on every call.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace brennick_bench {

// MAKEINTATOM of the name's global atom, or the name itself when no atom can be had.
LPCSTR PropertyKey(LPCSTR name);

}  // namespace brennick_bench
