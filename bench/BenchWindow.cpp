#include "bench/BenchWindow.h"

#include "bench/HandWritten.h"

namespace brennick_bench {
namespace {

constexpr const char* kClassName = "BrennickBench";

HandWrittenState* StateOf(HWND window) {
    return reinterpret_cast<HandWrittenState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnVScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HandWrittenState* state = StateOf(window);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    HandWrittenScroll(window, *state, LOWORD(wParam));
    return 0;
}

LRESULT OnMouseWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HandWrittenState* state = StateOf(window);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    HandWrittenWheel(window, *state, wParam, lParam);
    return 0;
}

LRESULT CALLBACK BenchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_USER:
        return BenchClass::kForwardAnswer;
    case WM_VSCROLL:
        return OnVScroll(window, message, wParam, lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

BenchClass::BenchClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BenchProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    atom_ = RegisterClassA(&windowClass);
}

BenchClass::~BenchClass() {
    if (atom_ != 0) UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}

OwnedWindow BenchClass::CreateTopLevel(bool visible) const {
    HWND window = CreateWindowExA(0, kClassName, "Brennick bench", WS_OVERLAPPEDWINDOW, 50, 50, 640, 480, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr && visible) ShowWindow(window, SW_SHOWNOACTIVATE);
    return OwnedWindow(window);
}

OwnedWindow BenchClass::CreateHiddenSmall() const {
    return OwnedWindow(CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
}

OwnedWindow BenchClass::CreatePanel(HWND parent, int x, int y) const {
    return OwnedWindow(CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL,
                                       x, y, 250, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr));
}

OwnedWindow CreateSystemChild(const char* className, HWND parent, int x, int y, int width, int height) {
    return OwnedWindow(CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void SendForwarded(HWND window, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) SendMessageA(window, WM_USER, static_cast<WPARAM>(i), 0);
}

bool Forwards(HWND window) { return SendMessageA(window, WM_USER, 0, 0) == BenchClass::kForwardAnswer; }

void SendWheel(HWND window, HWND overPanel, std::int32_t count) {
    RECT rect;
    GetWindowRect(overPanel, &rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    for (std::int32_t i = 0; i < count; ++i) {
        const short notch = (i % 2 == 0) ? -WHEEL_DELTA : WHEEL_DELTA;
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notch)), point);
    }
}

}  // namespace brennick_bench
