#include "controls/wheel/cSubClassWheel.h"

#include "controls/wheel/modSubclassWheel.h"
#include "platform/Win32Constants.h"
#include "support/WheelMessage.h"

namespace brennick {

const HookKind cSubClassWheel::kHookKind{kPropertyName, &modSubclassWheel::WheelWndProc,
                                         HookFieldOrder::TargetThenPrev, &HookedWindow<cSubClassWheel>::HookOf};

cSubClassWheel::cSubClassWheel() = default;

cSubClassWheel::~cSubClassWheel() { UnSubClass(); }

void cSubClassWheel::SubClass(win::Hwnd window) {
    hook_.Attach(window, kHookKind, this);
}

void cSubClassWheel::UnSubClass() { hook_.Detach(kHookKind, this); }

win::LResult cSubClassWheel::WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                        win::LParam lParam) {
    if (message == WM_MOUSEWHEEL) return OnWheel(window, wParam, lParam);
    return hook_.Forward(window, message, wParam, lParam);
}

win::LResult cSubClassWheel::OnWheel(win::Hwnd window, win::WParam wParam, win::LParam lParam) {
    // The owner may unhook inside the handler; an unconsumed message still goes to the
    // procedure that was in place when it arrived.
    const win::WndProc previous = hook_.PrevWndProc();
    WheelMessage wheel = DecodeWheel(wParam, lParam);
    Bool16 wheeled = kFalse;
    WheelRotate.Raise(wheel.Delta, wheel.Shift, wheel.X, wheel.Y, wheeled);
    if (wheeled.IsNonZero()) return 0;
    return WindowHook::CallPrevious(previous, window, WM_MOUSEWHEEL, wParam, lParam);
}

}  // namespace brennick
