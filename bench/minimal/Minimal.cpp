// The smallest Win32 program with one empty window: the floor for the start-up case.
#include <windows.h>

static LRESULT CALLBACK MinimalProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    const auto background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    const WNDCLASSA wc{0, &MinimalProcedure, 0, 0, instance, nullptr, arrow, background, nullptr, "BrennickMinimal"};
    if (RegisterClassA(&wc) == 0) return 1;
    HWND window = CreateWindowExA(0, "BrennickMinimal", "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  640, 480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
