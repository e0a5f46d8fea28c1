// Real windows for the tests that run against the system's user32, and what their procedures saw.
#pragma once

#include <map>
#include <tuple>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

#include <windows.h>  // last: its min and max macros would break the headers after it

namespace brennick::test {

// A procedure that saw a message, wParam and lParam: a party in the window's chain (its number) or
// the window's own (kOwn).
using Seen = std::tuple<int, UINT, WPARAM, LPARAM>;
inline constexpr int kOwn = -1;
inline std::map<HWND, std::vector<Seen>> seenBy;  // each window's, oldest first

// Dispatches this thread's messages for about milliseconds.
inline void Pump(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(1))
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
}

// The test windows' own procedure: records what it receives and answers WM_USER, keys and both
// wheels with 7.
template <bool Unicode>
LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seenBy[window].emplace_back(kOwn, message, wParam, lParam);
    if (message == WM_USER || message == WM_KEYDOWN || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) return 7;
    return (Unicode ? DefWindowProcW : DefWindowProcA)(window, message, wParam, lParam);
}

// A hidden window with both scroll bars, of an ANSI or a Unicode class. The tests leave their
// windows to the end of the process unless they destroy them.
inline HWND NewWindow(bool unicode = false) {
    static const WNDCLASSA ansi{.lpfnWndProc = &OwnProcedure<false>, .lpszClassName = "BrennickTestA"};
    static const WNDCLASSW wide{.lpfnWndProc = &OwnProcedure<true>, .lpszClassName = L"BrennickTestW"};
    [[maybe_unused]] static const bool registered = RegisterClassA(&ansi) && RegisterClassW(&wide);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL;
    return unicode ? CreateWindowExW(0, L"BrennickTestW", L"", style, 0, 0, 300, 200, {}, {}, {}, {})
                   : CreateWindowExA(0, "BrennickTestA", "", style, 0, 0, 300, 200, {}, {}, {}, {});
}

// The wParams and lParams of message that the window's own procedure got, oldest first.
inline std::vector<std::pair<WPARAM, LPARAM>> OwnProcedureSaw(HWND window, UINT message) {
    std::vector<std::pair<WPARAM, LPARAM>> saw;
    for (const auto& [party, m, wParam, lParam] : seenBy[window])
        if (party == kOwn && m == message) saw.emplace_back(wParam, lParam);
    return saw;
}
inline bool Shown(HWND window, int bar) {
    return GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
}
inline bool Enabled(HWND window, int bar) {
    SCROLLBARINFO info{sizeof info};
    GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info);  // none: 0, enabled
    return !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}
// The session's wheel settings (nothing is saved): lines and characters a notch.
inline void WheelSettings(int lines, int chars) {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines), nullptr, 0);
    SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, static_cast<UINT>(chars), nullptr, 0);
}

template <class Component>
Ref<Component> Attached(HWND window) {
    Ref<Component> component = MakeRef<Component>();
    return component->SubClass(window), component;
}

}  // namespace brennick::test
