#include <brennick/HookedComponent.h>

#include "controls/hook/Hooks.h"
#include "platform/Win32Constants.h"
#include "support/WheelMessage.h"

namespace brennick {

template <class Number>
HookedComponent<Number>::HookedComponent(const detail::HookKind& kind, bool wheelAlwaysConsumed)
    : kind_(kind), wheelAlwaysConsumed_(wheelAlwaysConsumed) {}

template <class Number>
HookedComponent<Number>::~HookedComponent() = default;

template <class Number>
void HookedComponent<Number>::SubClass(win::WindowHandle window) {
    OnWindowThread([&] { detail::Hooks::Attach(hook_, window, kind_, *this); });
}

template <class Number>
void HookedComponent<Number>::UnSubClass() {
    const Ref<RefCounted> keep = Ref<RefCounted>::Retain(this);
    auto detach = [&] { detail::Hooks::Detach(hook_, *this); };
    // Where the window's thread cannot be reached, the component lets go here and the window's
    // thread puts the procedure back at its next message.
    if (!hook_.RunOnWindowThread(*this, detach)) detach();
}

template <class Number>
void HookedComponent<Number>::LastReferenceGone() noexcept {
    detail::Hooks::Release(hook_, kind_, *this);
}

template <class Number>
Bool16 HookedComponent<Number>::HWheelSupport() {
    return OnWindowThread([&] { return wheels_.enabled[SB_HORZ]; });
}
template <class Number>
void HookedComponent<Number>::HWheelSupport(Bool16 value) {
    OnWindowThread([&] { wheels_.enabled[SB_HORZ] = value; });
}
template <class Number>
Bool16 HookedComponent<Number>::WheelCarry() {
    return OnWindowThread([&] { return wheels_.carry; });
}
template <class Number>
void HookedComponent<Number>::WheelCarry(Bool16 value) {
    OnWindowThread([&] { wheels_.SetCarry(value); });
}
template <class Number>
std::int32_t HookedComponent<Number>::RawDelta() {
    return OnWindowThread([&] { return wheels_.raw; });
}

template <class Number>
win::Hwnd HookedComponent<Number>::QueryTarget() const {
    const win::Hwnd served = detail::Hooks::ServedWindow(*this);
    return served != nullptr ? served : TargetWnd();
}

template <class Number>
win::Hwnd HookedComponent<Number>::PushTarget() const {
    const win::Hwnd served = detail::Hooks::ServedWindow(*this);
    return served != nullptr ? served : detail::Hooks::PushTarget(hook_, *this);
}

template <class Number>
std::optional<win::LResult> HookedComponent<Number>::Serve(RefCounted& owner, const detail::HookContext& context,
                                                           unsigned int message, win::WParam wParam,
                                                           win::LParam lParam) {
    auto& self = static_cast<HookedComponent&>(owner);
    if (message == WM_MOUSEWHEEL) return self.OnWheel(SB_VERT, wParam, lParam);
    if (message == WM_MOUSEHWHEEL) return self.OnWheel(SB_HORZ, wParam, lParam);
    return self.WindowProc(context.window, message, wParam, lParam);
}

template <class Number>
void HookedComponent<Number>::Destroy(RefCounted& owner) {
    delete &static_cast<HookedComponent&>(owner);
}

// A wheel whose switch is off raises nothing; a message that neither an event nor the component
// took goes on unchanged.
template <class Number>
std::optional<win::LResult> HookedComponent<Number>::OnWheel(int bar, win::WParam wParam, win::LParam lParam) {
    const bool reported = wheels_.enabled[bar].IsNonZero();
    Bool16 wheeled = kFalse;
    if (reported) {
        WheelMessage wheel = DecodeWheel(wheels_, bar, wParam, lParam);
        (bar == SB_HORZ ? HWheelRotate : WheelRotate).Raise(wheel.Delta, wheel.Shift, wheel.X, wheel.Y, wheeled);
    }
    const bool done = WheelTurned(bar, wParam, wheeled.IsNonZero());
    if (done || wheeled.IsNonZero() || (reported && wheelAlwaysConsumed_)) return 0;
    return std::nullopt;
}

template <class Number>
bool HookedComponent<Number>::WheelTurned(int, win::WParam, bool) {
    return false;
}

template class HookedComponent<std::int32_t>;
template class HookedComponent<std::int32_t&>;

}  // namespace brennick
