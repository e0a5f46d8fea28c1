// cSubClassWheel reports mouse-wheel rotation over one window and lets its owner decide, message
// by message, whether the wheel message is consumed or goes on to the window's previous procedure.
// Events are raised synchronously, on the window's thread, to the connected handlers, which must
// not throw. Operations may be called on any thread: while the hook serves a window they run on
// that window's thread.
#pragma once

#include <cstdint>
#include <optional>

#include <brennick/detail/WindowHook.h>
#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>
#include <brennick/Event.h>
#include <brennick/Ref.h>

namespace brennick {

namespace detail {
template <class T>
struct HookedWindow;
}  // namespace detail

class cSubClassWheel final : public RefCounted {
public:
    static constexpr const char* kPropertyName = "nvAdvSubcls";

    ~cSubClassWheel() override;  // runs once the window is unhooked (LastReferenceGone)

    // A wheel message over the hooked window: notches (positive toward the user), key state and
    // pointer in screen coordinates, and Wheeled (false on entry). Setting Wheeled to any non-zero
    // value consumes the message; values written into the other four are discarded.
    Event<std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&> WheelRotate;
    // WM_MOUSEHWHEEL while HWheelSupport is on: notches positive to the right (a tilt or swipe to
    // the right; the opposite sense to WheelRotate's), otherwise as WheelRotate.
    Event<std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&> HWheelRotate;

    // Hooks window: stores this hook's address in the window's "nvAdvSubcls" property and replaces
    // its window procedure; from now on each WM_MOUSEWHEEL raises WheelRotate and every other
    // message goes on to the previous procedure. Refused (nothing changes) for a handle that names
    // no window, a window of another thread, a window that already carries a wheel hook, and while
    // this hook serves another window that still exists.
    void SubClass(win::WindowHandle window);
    // Lets go of the window: its previous procedure is back (or, below someone else's procedure,
    // passes messages on until it can leave) and the property is gone; the hook can then serve a
    // window again. Does nothing when nothing is hooked or the window is gone. Raises nothing.
    void UnSubClass();

    // Wheel options, off by default; as CScrollBars's HWheelSupport and WheelCarry.
    Bool16 HWheelSupport();
    void HWheelSupport(Bool16 value);
    Bool16 WheelCarry();
    void WheelCarry(Bool16 value);
    // The amount of the wheel message being reported, in the event's sense, 120 a notch.
    std::int32_t RawDelta();

    // State, for inspection; neither touches the window.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(); }
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(); }

private:
    friend struct detail::HookedWindow<cSubClassWheel>;
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);

    static const detail::HookKind kHookKind;

    cSubClassWheel();  // created by MakeRef only
    // Unhooks the window and frees this, on the window's thread; never waits for that thread.
    void LastReferenceGone() noexcept override;

    std::optional<win::LResult> WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                           win::LParam lParam);
    std::optional<win::LResult> OnWheel(bool horizontal, win::Hwnd window, win::WParam wParam, win::LParam lParam);

    detail::WindowHook hook_;
    Bool16 hWheelSupport_;
    Bool16 wheelCarry_;
    std::int32_t carried_[2] = {};  // parts of a notch: WM_MOUSEHWHEEL, WM_MOUSEWHEEL
    std::int32_t rawDelta_ = 0;
};

}  // namespace brennick
