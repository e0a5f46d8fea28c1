// Calls into a component from a thread that does not own its window: they run on the window's
// own thread, carried there by a synchronous private message ("BrennickHookCall").
#pragma once

#include <brennick/Win32Types.h>

namespace brennick::detail::CrossThread {

// Runs call(context) on the thread that owns window: here when that is this thread or there is
// no window, else by the private message, waiting as SendMessage does. False when the window's
// thread never ran it (someone else's procedure swallowed the message, or the window is gone).
bool Run(win::Hwnd window, void (*call)(void*), void* context);

// In a shared window procedure, first: when message is the private message and lParam names a
// call of this process waiting for window, runs it and returns true.
bool Serve(win::Hwnd window, unsigned int message, win::LParam lParam);

}  // namespace brennick::detail::CrossThread
