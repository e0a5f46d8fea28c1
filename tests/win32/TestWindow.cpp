#include "tests/win32/TestWindow.h"

#include <map>

namespace brennick::test {
namespace {

constexpr const char* kClassName = "BrennickTestWindow";

std::map<HWND, std::vector<UINT>>& Log() {
    static std::map<HWND, std::vector<UINT>> log;
    return log;
}

void RegisterOnce() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TestWindow::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

}  // namespace

TestWindow::TestWindow(DWORD style) {
    RegisterOnce();
    window_ = CreateWindowExA(0, kClassName, "Brennick test", style, 100, 100, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    Log()[window_].clear();
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
    if (!destroyed_) DestroyWindow(window_);
    destroyed_ = true;
}

std::vector<UINT>& TestWindow::Received() { return Log()[window_]; }

LRESULT& TestWindow::Answer() {
    static LRESULT answer = 0;
    return answer;
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log()[window].push_back(message);
    if (message == WM_MOUSEWHEEL || message == WM_USER) return Answer();
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace brennick::test
