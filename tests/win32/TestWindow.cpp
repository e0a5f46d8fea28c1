#include "tests/win32/TestWindow.h"

#include <map>

namespace brennick::test {
namespace {

template <bool Unicode>
LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SeenBy(window).push_back({kOwn, message, wParam, lParam});
    if (message == WM_USER || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) return TestWindow::Answer();
    return Unicode ? DefWindowProcW(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL;

}  // namespace

std::vector<Seen>& SeenBy(HWND window) {
    static std::map<HWND, std::vector<Seen>> log;
    return log[window];
}

WNDPROC TestWindow::Procedure(bool unicode) { return unicode ? &OwnProcedure<true> : &OwnProcedure<false>; }

TestWindow::TestWindow(bool unicode) {
    static const bool registered = [] {
        WNDCLASSA ansi{};
        ansi.lpfnWndProc = &OwnProcedure<false>;
        ansi.hInstance = GetModuleHandleA(nullptr);
        ansi.lpszClassName = "BrennickTestA";
        WNDCLASSW wide{};
        wide.lpfnWndProc = &OwnProcedure<true>;
        wide.hInstance = GetModuleHandleW(nullptr);
        wide.lpszClassName = L"BrennickTestW";
        return RegisterClassA(&ansi) != 0 && RegisterClassW(&wide) != 0;
    }();
    (void)registered;
    window_ = unicode ? CreateWindowExW(0, L"BrennickTestW", L"", kStyle, 100, 100, 300, 200, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr)
                      : CreateWindowExA(0, "BrennickTestA", "", kStyle, 100, 100, 300, 200, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    Log().clear();
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

std::vector<Seen>& TestWindow::Log() { return SeenBy(window_); }

LRESULT& TestWindow::Answer() {
    static LRESULT answer = 0;
    return answer;
}

}  // namespace brennick::test
