// The window layer's real binding: each call goes straight to user32.
#include "platform/WindowSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <type_traits>

namespace brennick::win {

static_assert(std::is_same_v<Hwnd, HWND>);
static_assert(std::is_same_v<WParam, WPARAM>);
static_assert(std::is_same_v<LParam, LPARAM>);
static_assert(std::is_same_v<LResult, LRESULT>);
static_assert(std::is_same_v<WndProc, WNDPROC>);
static_assert(sizeof(ScrollInfo) == sizeof(SCROLLINFO));
static_assert(sizeof(Rect) == sizeof(RECT));

namespace {

SCROLLINFO ToNative(const ScrollInfo& info) {
    SCROLLINFO native{};
    native.cbSize = info.cbSize;
    native.fMask = info.fMask;
    native.nMin = info.nMin;
    native.nMax = info.nMax;
    native.nPage = info.nPage;
    native.nPos = info.nPos;
    native.nTrackPos = info.nTrackPos;
    return native;
}

}  // namespace

bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info) {
    SCROLLINFO native = ToNative(info);
    const BOOL ok = ::GetScrollInfo(window, bar, &native);
    // The system writes only the fields the mask selects; copying them all back keeps the
    // others exactly as the caller had them.
    info.nMin = native.nMin;
    info.nMax = native.nMax;
    info.nPage = native.nPage;
    info.nPos = native.nPos;
    info.nTrackPos = native.nTrackPos;
    return ok != FALSE;
}

std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw) {
    const SCROLLINFO native = ToNative(info);
    return ::SetScrollInfo(window, bar, &native, redraw ? TRUE : FALSE);
}

bool ShowScrollBar(Hwnd window, int bar, bool show) {
    return ::ShowScrollBar(window, bar, show ? TRUE : FALSE) != FALSE;
}

bool IsWindow(Hwnd window) { return ::IsWindow(window) != FALSE; }

void* GetPropA(Hwnd window, const char* name) { return ::GetPropA(window, name); }

bool SetPropA(Hwnd window, const char* name, void* value) {
    return ::SetPropA(window, name, value) != FALSE;
}

void* RemovePropA(Hwnd window, const char* name) { return ::RemovePropA(window, name); }

WndProc SetWindowProcedure(Hwnd window, WndProc procedure) {
    return reinterpret_cast<WndProc>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

WndProc GetWindowProcedure(Hwnd window) {
    return reinterpret_cast<WndProc>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
}

LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::CallWindowProcA(procedure, window, message, wParam, lParam);
}

LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni) {
    return ::SystemParametersInfoA(action, param, value, winIni) != FALSE;
}

Hwnd FindWindowA(const char* className, const char* windowName) {
    return ::FindWindowA(className, windowName);
}

unsigned int RegisterWindowMessageA(const char* name) { return ::RegisterWindowMessageA(name); }

LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::SendMessageA(window, message, wParam, lParam);
}

bool GetWindowRect(Hwnd window, Rect& rect) {
    RECT native{rect.left, rect.top, rect.right, rect.bottom};
    const BOOL ok = ::GetWindowRect(window, &native);
    rect = Rect{native.left, native.top, native.right, native.bottom};
    return ok != FALSE;
}

}  // namespace brennick::win
