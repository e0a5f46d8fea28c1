// Real windows for the tests that run against the system's user32.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <vector>

namespace brennick::test {

// A procedure that saw a message: a foreign layer (its number) or the window's own (kOwn).
struct Seen {
    int layer;
    UINT message;
    WPARAM wParam;
    LPARAM lParam = 0;
    bool operator==(const Seen&) const = default;
};
inline constexpr int kOwn = -1;

// What each window's procedures saw, oldest first; foreign layers in the tests add to it.
inline std::vector<Seen>& SeenBy(HWND window) {
    static std::map<HWND, std::vector<Seen>> log;
    return log[window];
}

// Dispatches this thread's messages for about milliseconds.
inline void Pump(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(1))
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
}

// A hidden top-level window with both scroll bars, of an ANSI or a Unicode class, whose own
// procedure records what it receives and answers WM_USER, keys and both wheels with 7. Destroyed
// with the object unless the test destroyed it first.
struct TestWindow {
    template <bool Unicode>
    static LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        SeenBy(window).push_back({kOwn, message, wParam, lParam});
        if (message == WM_USER || message == WM_KEYDOWN || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL)
            return 7;
        return Unicode ? DefWindowProcW(window, message, wParam, lParam)
                       : DefWindowProcA(window, message, wParam, lParam);
    }

    TestWindow() : TestWindow(false) {}
    explicit TestWindow(bool unicode) {
        static const WNDCLASSA ansi{
            0,       &OwnProcedure<false>, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr,
            nullptr, "BrennickTestA"};
        static const WNDCLASSW wide{
            0,       &OwnProcedure<true>, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
            nullptr, L"BrennickTestW"};
        [[maybe_unused]] static const bool registered = RegisterClassA(&ansi) && RegisterClassW(&wide);
        const DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL;
        window_ = unicode ? CreateWindowExW(0, L"BrennickTestW", L"", style, 100, 100, 300, 200, nullptr, nullptr,
                                            nullptr, nullptr)
                          : CreateWindowExA(0, "BrennickTestA", "", style, 100, 100, 300, 200, nullptr, nullptr,
                                            nullptr, nullptr);
        Log().clear();
    }
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    HWND Handle() const { return window_; }
    void Destroy() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    std::vector<Seen>& Log() { return SeenBy(window_); }
    // What the window's procedures saw of one message sent to it.
    std::vector<Seen> Sent(UINT message, WPARAM wParam) {
        Log().clear();
        SendMessageA(window_, message, wParam, 0);
        return Log();
    }

private:
    HWND window_ = nullptr;
};

}  // namespace brennick::test
