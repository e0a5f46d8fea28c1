// The window layer's real binding: each call goes straight to user32.
#include "platform/WindowSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winver.h>

#include <string>
#include <type_traits>
#include <vector>

namespace brennick::win {

static_assert(std::is_same_v<Hwnd, HWND>);
static_assert(std::is_same_v<WParam, WPARAM>);
static_assert(std::is_same_v<LParam, LPARAM>);
static_assert(std::is_same_v<LResult, LRESULT>);
static_assert(std::is_same_v<WndProc, WNDPROC>);
static_assert(std::is_same_v<TimerProc, TIMERPROC>);
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

bool IsWindowUnicode(Hwnd window) { return ::IsWindowUnicode(window) != FALSE; }

void* GetPropA(Hwnd window, const char* name) { return ::GetPropA(window, name); }

bool SetPropA(Hwnd window, const char* name, void* value) { return ::SetPropA(window, name, value) != FALSE; }

void* RemovePropA(Hwnd window, const char* name) { return ::RemovePropA(window, name); }

WndProc SetWindowProcedureA(Hwnd window, WndProc procedure) {
    return reinterpret_cast<WndProc>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

WndProc SetWindowProcedureW(Hwnd window, WndProc procedure) {
    return reinterpret_cast<WndProc>(::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

WndProc GetWindowProcedureA(Hwnd window) {
    return reinterpret_cast<WndProc>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WndProc GetWindowProcedureW(Hwnd window) {
    return reinterpret_cast<WndProc>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
}

LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::CallWindowProcA(procedure, window, message, wParam, lParam);
}

LResult CallWindowProcW(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::CallWindowProcW(procedure, window, message, wParam, lParam);
}

LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LResult DefWindowProcW(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

std::uint32_t GetWindowThreadProcessId(Hwnd window) { return ::GetWindowThreadProcessId(window, nullptr); }

std::uint32_t GetCurrentThreadId() { return ::GetCurrentThreadId(); }

std::uintptr_t SetTimer(Hwnd window, std::uintptr_t id, unsigned int elapse, TimerProc procedure) {
    return ::SetTimer(window, id, elapse, procedure);
}

bool KillTimer(Hwnd window, std::uintptr_t id) { return ::KillTimer(window, id) != FALSE; }

Hwnd SetCapture(Hwnd window) { return ::SetCapture(window); }
bool ReleaseCapture() { return ::ReleaseCapture() != FALSE; }
Hwnd GetCapture() { return ::GetCapture(); }

bool GetClientRect(Hwnd window, Rect& rect) {
    RECT native{};
    const BOOL ok = ::GetClientRect(window, &native);
    rect = Rect{native.left, native.top, native.right, native.bottom};
    return ok != FALSE;
}

void* LoadSystemCursor(int id) { return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id)); }
void* SetCursor(void* cursor) { return ::SetCursor(static_cast<HCURSOR>(cursor)); }

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni) {
    return ::SystemParametersInfoA(action, param, value, winIni) != FALSE;
}

Hwnd FindWindowA(const char* className, const char* windowName) { return ::FindWindowA(className, windowName); }

unsigned int RegisterWindowMessageA(const char* name) { return ::RegisterWindowMessageA(name); }

LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::SendMessageA(window, message, wParam, lParam);
}

void WaitForSentMessages() {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool PostMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return ::PostMessageA(window, message, wParam, lParam) != FALSE;
}

bool GetWindowRect(Hwnd window, Rect& rect) {
    RECT native{rect.left, rect.top, rect.right, rect.bottom};
    const BOOL ok = ::GetWindowRect(window, &native);
    rect = Rect{native.left, native.top, native.right, native.bottom};
    return ok != FALSE;
}

namespace {

// The running program's own path, in full however long it is and whatever characters it holds.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= 0x8000) return {};  // longer than any path the system keeps
        path.resize(path.size() * 2);
    }
}

}  // namespace

bool GetProgramFileVersion(std::uint16_t (&parts)[4]) {
    const std::wstring path = ProgramPath();
    if (path.empty()) return false;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0) return false;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || fixed == nullptr ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    parts[0] = HIWORD(fixed->dwFileVersionMS);
    parts[1] = LOWORD(fixed->dwFileVersionMS);
    parts[2] = HIWORD(fixed->dwFileVersionLS);
    parts[3] = LOWORD(fixed->dwFileVersionLS);
    return true;
}

}  // namespace brennick::win
