// The window layer: every window-system call that the components and the support routines make.
// Each function translates one Win32 call and decides nothing. The Windows build links the user32
// binding; host tests link a recording double in its place.
#pragma once

#include "platform/Win32Types.h"

namespace brennick::win {

// Scroll bars (bar: SB_HORZ or SB_VERT).
bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info);
std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw);
bool ShowScrollBar(Hwnd window, int bar, bool show);

// Windows, properties (names are 8-bit strings) and window procedures.
bool IsWindow(Hwnd window);
void* GetPropA(Hwnd window, const char* name);
bool SetPropA(Hwnd window, const char* name, void* value);
void* RemovePropA(Hwnd window, const char* name);
// SetWindowLongPtrA with GWLP_WNDPROC (SetWindowLongA with GWL_WNDPROC on 32-bit Windows):
// installs procedure and returns the one it replaced, or nullptr on failure.
WndProc SetWindowProcedure(Hwnd window, WndProc procedure);
// GetWindowLongPtrA with GWLP_WNDPROC: the procedure the window runs now, or nullptr.
WndProc GetWindowProcedure(Hwnd window);
LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam);
LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam);

// System settings and other windows.
bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni);
Hwnd FindWindowA(const char* className, const char* windowName);
unsigned int RegisterWindowMessageA(const char* name);
LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam);
bool GetWindowRect(Hwnd window, Rect& rect);

}  // namespace brennick::win
