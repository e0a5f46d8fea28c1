/// @file
/// modSubclassScrollBars: the window procedure shared by every window that a CScrollBars hooks,
/// and the lookup from a window to its controller.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <brennick/CScrollBars.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

/// The window procedure shared by every window that a CScrollBars hooks, and the lookup from a
/// window to its controller.
namespace brennick::modSubclassScrollBars {

/// Installed by CScrollBars::SubClass() on each hooked window, which runs it for every message:
/// hands the message to the window's controller, which answers the scroll and wheel messages it
/// handles and passes everything else on to the window's previous procedure. A counted
/// reference keeps the controller alive until the message returns, even when a handler drops
/// the owner's last Ref. Not for calling directly. `noexcept`: an exception escaping an event
/// handler ends the program.
win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam) noexcept;

/// A counted reference to the controller that serves window, or empty when none does (no
/// controller hooked it, it has let go, or its last Ref is already gone). Which controller serves
/// a window is kept inside the process: the property "nvStdScroll" alone, forged or removed by
/// other code, changes nothing here. May be called on any thread; touches no window. In an
/// event handler, a lookup by the window's handle is a weak way back to the controller, which
/// keeps no reference cycle alive (see CScrollBars).
Ref<CScrollBars> ScrollBarsFromWindow(win::WindowHandle window);

}  // namespace brennick::modSubclassScrollBars
