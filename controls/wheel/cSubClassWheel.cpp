#include <brennick/cSubClassWheel.h>


#include "controls/hook/HookTable.h"
#include <brennick/modSubclassWheel.h>
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "support/WheelMessage.h"

namespace brennick {

const detail::HookKind cSubClassWheel::kHookKind{kPropertyName, &modSubclassWheel::WheelWndProc,
                                                 detail::HookedWindow<cSubClassWheel>::kHandle,
                                                 &detail::HookedWindow<cSubClassWheel>::HookOf,
                                                 &detail::HookedWindow<cSubClassWheel>::Destroy};

cSubClassWheel::cSubClassWheel() = default;

cSubClassWheel::~cSubClassWheel() = default;

void cSubClassWheel::LastReferenceGone() noexcept { hook_.Release(kHookKind, *this); }

void cSubClassWheel::SubClass(win::WindowHandle window) {
    hook_.OnWindowThread(*this, [&] { hook_.Attach(window, kHookKind, *this); });
}

void cSubClassWheel::UnSubClass() {
    const Ref<cSubClassWheel> self = Ref<cSubClassWheel>::Retain(this);
    hook_.Detach(kHookKind, *this);
}

Bool16 cSubClassWheel::HWheelSupport() { return hook_.OnWindowThread(*this, [&] { return wheels_.enabled[0]; }); }
void cSubClassWheel::HWheelSupport(Bool16 value) { hook_.OnWindowThread(*this, [&] { wheels_.enabled[0] = value; }); }
Bool16 cSubClassWheel::WheelCarry() { return hook_.OnWindowThread(*this, [&] { return wheels_.carry; }); }
void cSubClassWheel::WheelCarry(Bool16 value) { hook_.OnWindowThread(*this, [&] { wheels_.SetCarry(value); }); }
std::int32_t cSubClassWheel::RawDelta() { return hook_.OnWindowThread(*this, [&] { return wheels_.raw; }); }

std::optional<win::LResult> cSubClassWheel::WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                       win::LParam lParam) {
    if (message == WM_MOUSEWHEEL) return OnWheel(false, window, wParam, lParam);
    if (message == WM_MOUSEHWHEEL && wheels_.enabled[0].IsNonZero()) return OnWheel(true, window, wParam, lParam);
    return std::nullopt;
}

// An unconsumed message goes on unchanged, whatever the handler wrote into the four numbers.
std::optional<win::LResult> cSubClassWheel::OnWheel(bool horizontal, win::Hwnd /*window*/, win::WParam wParam,
                                                    win::LParam lParam) {
    WheelMessage wheel = DecodeWheel(wheels_, horizontal, wParam, lParam);
    Bool16 wheeled = kFalse;
    (horizontal ? HWheelRotate : WheelRotate).Raise(wheel.Delta, wheel.Shift, wheel.X, wheel.Y, wheeled);
    if (wheeled.IsNonZero()) return 0;
    return std::nullopt;
}

}  // namespace brennick
