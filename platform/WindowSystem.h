// The window layer: every window-system call that the components and the support routines make.
// Each function translates one Win32 call and decides nothing. The Windows build links the user32
// binding; host tests link a recording double in its place. Private to the library's sources.
#pragma once

#include <cstdint>

#include <brennick/Win32Types.h>

namespace brennick::win {

// Scroll bars (bar: SB_HORZ or SB_VERT).
bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info);
std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw);
bool ShowScrollBar(Hwnd window, int bar, bool show);

// Windows and properties (names are 8-bit strings).
bool IsWindow(Hwnd window);
bool IsWindowUnicode(Hwnd window);
void* GetPropA(Hwnd window, const char* name);
bool SetPropA(Hwnd window, const char* name, void* value);
void* RemovePropA(Hwnd window, const char* name);

// Window procedures, in the window's character set. SetWindowProcedureA/W is SetWindowLongPtrA/W
// with GWLP_WNDPROC (SetWindowLongA/W with GWL_WNDPROC on 32-bit Windows): it installs procedure
// and returns the one it replaced, or nullptr on failure; what it returns is meant for the
// CallWindowProc of the same character set. GetWindowProcedureA/W is GetWindowLongPtrA/W.
WndProc SetWindowProcedureA(Hwnd window, WndProc procedure);
WndProc SetWindowProcedureW(Hwnd window, WndProc procedure);
WndProc GetWindowProcedureA(Hwnd window);
WndProc GetWindowProcedureW(Hwnd window);
LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam);
LResult CallWindowProcW(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam);
LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam);
LResult DefWindowProcW(Hwnd window, unsigned int message, WParam wParam, LParam lParam);

// Threads: the thread that created a window (0 for no window), and the calling thread.
std::uint32_t GetWindowThreadProcessId(Hwnd window);
std::uint32_t GetCurrentThreadId();

// Timers of a window (SetTimer, KillTimer). A timer with a procedure: DispatchMessage hands its
// WM_TIMER to the procedure, never to the window's procedure. SetTimer returns 0 on failure.
using TimerProc = void(BRENNICK_CALLBACK*)(Hwnd, unsigned int, std::uintptr_t, unsigned long);
std::uintptr_t SetTimer(Hwnd window, std::uintptr_t id, unsigned int elapse, TimerProc procedure);
bool KillTimer(Hwnd window, std::uintptr_t id);

// The calling thread's mouse capture (SetCapture, ReleaseCapture, GetCapture), a window's client
// area (GetClientRect), a system cursor by its IDC_* number (LoadCursorW) and the cursor shown
// (SetCursor, which returns the one before).
Hwnd SetCapture(Hwnd window);
bool ReleaseCapture();
Hwnd GetCapture();
bool GetClientRect(Hwnd window, Rect& rect);
void* LoadSystemCursor(int id);
void* SetCursor(void* cursor);

// System settings, messages and other windows.
bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni);
Hwnd FindWindowA(const char* className, const char* windowName);
unsigned int RegisterWindowMessageA(const char* name);
LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam);
// MsgWaitForMultipleObjects for a message sent to this thread (at most a few milliseconds), then
// PeekMessage with PM_QS_SENDMESSAGE, which hands it to its window: how a thread waits while
// others may send to it.
void WaitForSentMessages();
bool PostMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam);
bool GetWindowRect(Hwnd window, Rect& rect);

// The version of the running program's file (its VS_FIXEDFILEINFO file version, four 16-bit
// parts, most significant first); false when the file carries none.
bool GetProgramFileVersion(std::uint16_t (&parts)[4]);

}  // namespace brennick::win
