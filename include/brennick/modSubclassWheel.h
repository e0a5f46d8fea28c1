/// @file
/// modSubclassWheel: the window procedure shared by every window that a cSubClassWheel hooks, and
/// the lookup from a window to its wheel hook.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <brennick/cSubClassWheel.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

/// The window procedure shared by every window that a cSubClassWheel hooks, and the lookup from
/// a window to its wheel hook.
namespace brennick::modSubclassWheel {

/// Installed by cSubClassWheel::SubClass() on each hooked window, which runs it for every
/// message: hands the message to the window's wheel hook, which raises its events for the wheel
/// messages and passes on every message it does not consume to the window's previous procedure.
/// A counted reference keeps the hook alive until the message returns, even when a handler
/// drops the owner's last Ref. Not for calling directly. `noexcept`: an exception escaping an
/// event handler ends the program.
win::LResult BRENNICK_CALLBACK WheelWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                            win::LParam lParam) noexcept;

/// A counted reference to the wheel hook that serves window, or empty when none does (no hook
/// hooked it, it has let go, or its last Ref is already gone). Which hook serves a window is kept
/// inside the process: the property "nvAdvSubcls" alone, forged or removed by other code, changes
/// nothing here. May be called on any thread; touches no window. In an event handler, a lookup
/// by the window's handle is a weak way back to the hook, which keeps no reference cycle alive
/// (see cSubClassWheel).
Ref<cSubClassWheel> WheelFromWindow(win::WindowHandle window);

}  // namespace brennick::modSubclassWheel
