// The window procedure shared by every window that a CScrollBars hooks, and its lookup.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <brennick/CScrollBars.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick::modSubclassScrollBars {

// Installed on each hooked window; hands every message to the window's controller.
win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam) noexcept;

// A counted reference to the controller that serves window, or empty.
Ref<CScrollBars> ScrollBarsFromWindow(win::WindowHandle window);

}  // namespace brennick::modSubclassScrollBars
