// Windows for the endurance runs: an owner that destroys its window, and one window class whose
// procedure counts what reaches it without keeping anything per message.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/win32/OwnedWindow.h"

#include <cstdint>
#include <utility>

namespace brennick::test {

// Counts of the messages that reached the class's own procedure, over all its windows.
struct Arrivals {
    std::uint64_t user = 0;   // WM_USER
    std::uint64_t wheel = 0;  // WM_MOUSEWHEEL
};

// The class "BrennickEndurance", registered on first use and kept for the process.
Arrivals& ClassArrivals();
WNDPROC EnduranceProcedure();
// A hidden window of that class with both scroll bars; hidden, so no step waits on painting.
OwnedWindow CreateEnduranceWindow();

// The properties a window carries, by count.
std::size_t PropertyCount(HWND window);

}  // namespace brennick::test
