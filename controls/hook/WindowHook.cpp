#include "controls/hook/WindowHook.h"

namespace brennick {

void WindowHook::Attach(win::Hwnd window, const char* property, void* owner, win::WndProc procedure,
                        HookFieldOrder order) {
    if (!win::IsWindow(window)) return;
    if (win::GetPropA(window, property) != nullptr) return;  // this or another component is there
    if (targetWnd_ != nullptr) return;                        // one window per component
    if (!win::SetPropA(window, property, owner)) return;
    const win::WndProc previous = win::SetWindowProcedure(window, procedure);
    if (previous == nullptr) {
        // The procedure was not replaced: leave no property that would outlive this component.
        win::RemovePropA(window, property);
        return;
    }
    if (order == HookFieldOrder::PrevThenTarget) {
        prevWndProc_ = previous;
        targetWnd_ = window;
    } else {
        targetWnd_ = window;
        prevWndProc_ = previous;
    }
}

void WindowHook::Detach(const char* property, const void* owner) {
    if (!win::IsWindow(targetWnd_)) return;
    if (prevWndProc_ == nullptr) return;
    if (win::GetPropA(targetWnd_, property) == owner) {
        win::SetWindowProcedure(targetWnd_, prevWndProc_);  // result deliberately unused
        win::RemovePropA(targetWnd_, property);
    }
    prevWndProc_ = nullptr;
    targetWnd_ = nullptr;
}

win::LResult WindowHook::CallPrevious(win::WndProc previous, win::Hwnd window, unsigned int message,
                                      win::WParam wParam, win::LParam lParam) {
    if (previous == nullptr) return win::DefWindowProcA(window, message, wParam, lParam);
    return win::CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace brennick
