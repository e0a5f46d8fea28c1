#include "bench/Bench.h"

namespace brennick_bench {
namespace {

LRESULT CALLBACK BenchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return kForwardAnswer;
    if (message != WM_VSCROLL && message != WM_MOUSEWHEEL) return DefWindowProcA(window, message, wParam, lParam);
    return HandledByHand(window, message, wParam, lParam) ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

ATOM RegisterBenchClass() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    const auto background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    const WNDCLASSA wc{0, &BenchProcedure, 0, 0, instance, nullptr, arrow, background, nullptr, "BrennickBench"};
    return RegisterClassA(&wc);
}

// A window of className, by default the bench class (registered once, for the process).
OwnedWindow Create(DWORD style, HWND parent, int x, int y, int width, int height, const char* className = nullptr) {
    static const ATOM benchClass = RegisterBenchClass();
    return OwnedWindow(CreateWindowExA(0, className != nullptr ? className : MAKEINTATOM(benchClass), "", style, x, y,
                                       width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr));
}

}  // namespace

OwnedWindow TopLevel(bool visible) {
    OwnedWindow window = Create(WS_OVERLAPPEDWINDOW, nullptr, 50, 50, 640, 480);
    if (window.Get() != nullptr && visible) ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    return window;
}

OwnedWindow HiddenSmall() { return Create(WS_POPUP, nullptr, 0, 0, 1, 1); }

OwnedWindow Panel(HWND parent, int x, int y) {
    return Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL, parent, x, y, 250, 200);
}

OwnedWindow Child(const char* className, HWND parent, int x, int y, int width, int height) {
    return Create(WS_CHILD | WS_VISIBLE, parent, x, y, width, height, className);
}

void PumpMessages() {
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&m), DispatchMessageA(&m);
}

}  // namespace brennick_bench
