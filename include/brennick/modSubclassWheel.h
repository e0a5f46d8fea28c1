// The window procedure shared by every window that a cSubClassWheel hooks, and its lookup.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <brennick/cSubClassWheel.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick::modSubclassWheel {

// Installed on each hooked window; hands every message to the window's wheel hook.
win::LResult BRENNICK_CALLBACK WheelWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                            win::LParam lParam) noexcept;

// A counted reference to the wheel hook that serves window, or empty.
Ref<cSubClassWheel> WheelFromWindow(win::WindowHandle window);

}  // namespace brennick::modSubclassWheel
