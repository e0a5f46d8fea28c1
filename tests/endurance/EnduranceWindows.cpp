#include "tests/endurance/EnduranceWindows.h"

namespace brennick::test {
namespace {

constexpr const char* kClassName = "BrennickEndurance";

LRESULT Arrived(std::uint64_t& count) {
    ++count;
    return 0;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_USER:
        return Arrived(ClassArrivals().user);
    case WM_MOUSEWHEEL:
        return Arrived(ClassArrivals().wheel);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterOnce() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

BOOL CALLBACK CountProperty(HWND, LPSTR, HANDLE, ULONG_PTR count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

}  // namespace

Arrivals& ClassArrivals() {
    static Arrivals arrivals;
    return arrivals;
}

WNDPROC EnduranceProcedure() { return &Procedure; }

OwnedWindow CreateEnduranceWindow() {
    RegisterOnce();
    return OwnedWindow(CreateWindowExA(0, kClassName, "Brennick endurance", WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL,
                                       100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

std::size_t PropertyCount(HWND window) {
    std::size_t count = 0;
    EnumPropsExA(window, &CountProperty, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace brennick::test
