/// @file
/// HookedComponent, what CScrollBars and cSubClassWheel share: the hook on one window, letting go
/// of it, and the two mouse wheels.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <optional>

#include <brennick/detail/WheelState.h>
#include <brennick/detail/WindowHook.h>
#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>
#include <brennick/Event.h>
#include <brennick/Ref.h>

namespace brennick {

namespace detail {
struct HookKind;
template <class Component>
struct SharedProcedure;
}  // namespace detail

/// The base of both components: hooks one window at a time (SubClass()), lets go of it when the
/// component's last Ref goes, and reports the two mouse wheels. Number is how the wheel events pass
/// their four numbers: by value (`std::int32_t`) on CScrollBars, by reference (`std::int32_t&`) on
/// cSubClassWheel. Not for use on its own.
template <class Number>
class HookedComponent : public RefCounted {
public:
    /// @name Wheel events
    /// Raised synchronously on the window's thread, in the order the handlers were connected.
    //@{
    /// `WM_MOUSEWHEEL`, with `Delta`, `Shift`, `X`, `Y` and `Wheeled`. `Delta` is whole notches
    /// (120 units of the message a notch, rounded to the nearest, halves to even; see WheelCarry()),
    /// positive when the wheel turns toward the user; `Shift` the `MK_*` key and button state; `X`,
    /// `Y` the pointer in screen coordinates. `Wheeled` is false on entry. On CScrollBars: raised
    /// while CScrollBars::WheelSupport() is on, and the message is consumed (result 0) whatever the
    /// handler writes into `Wheeled` (`ret_Wheeled`); no bar moves by itself. On cSubClassWheel:
    /// raised for every wheel message, consumed when the handler sets `Wheeled` to any non-zero
    /// value, else passed on to the previous procedure exactly as it came (values written into the
    /// four numbers are discarded).
    Event<Number, Number, Number, Number, Bool16&> WheelRotate;
    /// `WM_MOUSEHWHEEL` (a tilt wheel, a sideways swipe) while HWheelSupport() is on: `Delta` is
    /// positive to the right, the opposite sense to WheelRotate's; otherwise as WheelRotate.
    Event<Number, Number, Number, Number, Bool16&> HWheelRotate;
    //@}

    /// @name Hooking
    //@{
    /// Hooks window: stores this component's address in the window's property (CScrollBars:
    /// "nvStdScroll", cSubClassWheel: "nvAdvSubcls") and replaces its window procedure (with the
    /// `W` functions for a Unicode window), so that its messages reach this component from now on;
    /// what it does not consume goes on to the previous procedure. Refused (nothing changes,
    /// nothing is reported) for a handle that names no window, a window of another thread than the
    /// caller's, a window that already carries a component of the same class, while this one serves
    /// a window that still exists, and when the system refuses the property or the procedure.
    /// Raises nothing.
    void SubClass(win::WindowHandle window);
    //@}

    /// @name Wheel options
    /// Off by default: each wheel message is rounded to whole notches on its own and
    /// `WM_MOUSEHWHEEL` goes on to the window unchanged. Kept in the component; setting one touches
    /// no window.
    //@{
    /// Whether `WM_MOUSEHWHEEL` raises HWheelRotate: the value last set (false at first).
    Bool16 HWheelSupport();
    /// Any non-zero value: each `WM_MOUSEHWHEEL` raises HWheelRotate (consumed as for WheelRotate);
    /// 0: it goes on to the previous procedure unchanged.
    void HWheelSupport(Bool16 value);
    /// Whether parts of a notch are carried from one wheel message to the next: the value last set
    /// (false at first).
    Bool16 WheelCarry();
    /// Any non-zero value: a message's amount joins what earlier messages of the same wheel left
    /// short of a notch, `Delta` reports the whole notches the sum has reached (rounded toward zero)
    /// and the rest waits; a turn the other way starts afresh. So touchpads and high-resolution
    /// wheels, which send parts of a notch (often 8 to 40 of the 120 units), add up to whole
    /// notches. 0: each message is rounded to the nearest notch on its own, halves to even (60
    /// units give 0), and the rest is dropped.
    void WheelCarry(Bool16 value);
    /// The amount of the wheel message being reported, in the event's sense (positive toward the
    /// user for WheelRotate, to the right for HWheelRotate), 120 a notch: read it in the handler,
    /// for an owner that scrolls by parts of a notch (lines = RawDelta() * lines per notch / 120).
    /// Outside a handler, the amount of the latest wheel message reported (0 at first).
    std::int32_t RawDelta();
    //@}

    /// @name State, for inspection
    /// Neither touches the window or waits for its thread; both may be read on any thread.
    //@{
    /// The procedure the window ran before SubClass(), to which every message the component does
    /// not consume goes on; null while no window is hooked.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(*this); }
    /// The hooked window, which every operation addresses; null while no window is hooked (until a
    /// SubClass() succeeds, after the component let go, and once it has let go of a destroyed
    /// window).
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(*this); }
    //@}

protected:
    /// A component of kind, unhooked. wheelAlwaysConsumed: a wheel message that raises an event is
    /// consumed whatever the handler says (the controller).
    HookedComponent(const detail::HookKind& kind, bool wheelAlwaysConsumed);
    /// Runs once the window is let go of.
    ~HookedComponent() override;
    HookedComponent(const HookedComponent&) = delete;
    HookedComponent& operator=(const HookedComponent&) = delete;

    /// Lets go of the window: its previous procedure is back (or, below someone else's procedure,
    /// the component's link passes messages on until it can leave) and the property is gone. Does
    /// nothing when nothing is hooked. Runs on the window's thread.
    void UnSubClass();
    /// The window a query reads from: the window of the message being served, else TargetWnd().
    win::Hwnd QueryTarget() const;
    /// The window a push of settings goes to now: the window of the message being served, else the
    /// hooked window while it is provably the one hooked, else null (a push then goes nowhere).
    win::Hwnd PushTarget() const;
    /// Runs op on the hooked window's thread (see the class's Threads note), keeping this alive.
    template <class Op>
    auto OnWindowThread(Op op) {
        return hook_.OnWindowThread(*this, op);
    }

    /// The two wheels' switches (indexed by `SB_HORZ` and `SB_VERT`), carry and raw amount.
    detail::WheelState wheels_;

    /// The kind's answer to one message of the window served; nothing to pass it on.
    static std::optional<win::LResult> Serve(RefCounted& owner, const detail::HookContext& context,
                                             unsigned int message, win::WParam wParam, win::LParam lParam);
    /// Frees a component whose last reference is gone.
    static void Destroy(RefCounted& owner);

private:
    void LastReferenceGone() noexcept final;
    // The component's own answer to a message other than the wheel's; nothing to pass it on.
    virtual std::optional<win::LResult> WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                   win::LParam lParam) = 0;
    // Each wheel message (bar: SB_HORZ or SB_VERT), after its event if one was raised (takenOver: its
    // handler set Wheeled); true when the component consumed it by what it did.
    virtual bool WheelTurned(int bar, win::WParam wParam, bool takenOver);
    std::optional<win::LResult> OnWheel(int bar, win::WParam wParam, win::LParam lParam);

    const detail::HookKind& kind_;
    const bool wheelAlwaysConsumed_;
    detail::WindowHook hook_;
};

extern template class HookedComponent<std::int32_t>;
extern template class HookedComponent<std::int32_t&>;

}  // namespace brennick
