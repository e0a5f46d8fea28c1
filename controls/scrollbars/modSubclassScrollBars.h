// The window procedure shared by every window that a CScrollBars hooks, and its lookup.
#pragma once

#include "controls/scrollbars/CScrollBars.h"
#include "platform/Win32Types.h"
#include "support/Ref.h"

namespace brennick::modSubclassScrollBars {

// Installed on each hooked window; hands every message to the window's controller.
win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam);

// A counted reference to the controller registered on window ("nvStdScroll"), or empty.
Ref<CScrollBars> ScrollBarsFromWindow(win::Hwnd window);

}  // namespace brennick::modSubclassScrollBars
