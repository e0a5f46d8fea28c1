/// @file
/// cSubClassWheel, the wheel hook: mouse-wheel rotation over any window, consumed or passed on as
/// its owner decides.
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
template <class T>
struct HookedWindow;
}  // namespace detail

/// The wheel hook: reports mouse-wheel rotation over one window and lets its owner decide,
/// message by message, whether the wheel message is consumed or goes on to the window's previous
/// procedure.
///
/// Create one with `MakeRef<cSubClassWheel>()`, connect a handler to WheelRotate and hook a
/// window with SubClass(); UnSubClass() lets go of it at any time, and a later SubClass() may hook
/// a window again. It works beside a CScrollBars on the same window: the one hooked last sees each
/// message first and passes on what it does not consume.
///
/// Threads: the window's thread runs everything. Operations may be called on any thread: while
/// the hook serves a window they run on that window's thread, by a synchronous private message
/// (so that thread must be pumping messages, as for `SendMessage`), and events are raised there,
/// synchronously, inside the window procedure. Handlers must not throw: the window procedure is
/// `noexcept`, so an escaping exception ends the program.
///
/// Lifetime: the hook lives as long as a Ref to it; when the last one goes (on any thread, even
/// inside one of its own events, where it ends once the message returns) it unhooks its window.
/// If the window is destroyed first, the hook lets go of it by itself.
///
/// @warning A handler that captures a Ref to this hook makes a reference cycle: the hook's event
/// owns the handler, so the hook is never destroyed and its window stays hooked after the
/// owner's last reset. Capture a raw pointer (`wheel.Get()`: the handler cannot outlive the hook
/// that owns it) or the window handle, looked up with modSubclassWheel::WheelFromWindow() when
/// the handler runs, or call Event::DisconnectAll() on the events before dropping the last Ref
/// (UnSubClass() alone lets go of the window, but the cycle still keeps the hook).
class cSubClassWheel final : public RefCounted {
public:
    /// The window property that marks a hooked window: set by SubClass() to this hook's address
    /// (an uncounted reference) and removed when the hook lets go of the window.
    static constexpr const char* kPropertyName = "nvAdvSubcls";

    /// Runs once the window is unhooked, as UnSubClass() does it: at once when the last Ref goes
    /// on the window's thread (or with no window); on the window's thread, at its next message,
    /// when it goes on another thread.
    ~cSubClassWheel() override;  // runs once the window is unhooked (LastReferenceGone)

    /// @name Events
    /// Raised synchronously on the window's thread, in the order the handlers were connected.
    //@{
    /// Every `WM_MOUSEWHEEL` over the hooked window, with `Delta`, `Shift`, `X`, `Y` and
    /// `Wheeled`, all by reference. `Delta` is whole notches (120 units of the message a notch,
    /// rounded to the nearest, halves to even; see WheelCarry()), positive when the wheel turns
    /// toward the user; `Shift` the `MK_*` key and button state; `X`, `Y` the pointer in screen
    /// coordinates. `Wheeled` is false on entry: set it to any non-zero value (kTrue) to consume
    /// the message (result 0); otherwise the message goes on to the previous procedure exactly as
    /// it came, and values written into the other four are discarded.
    Event<std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&> WheelRotate;
    /// `WM_MOUSEHWHEEL` (a tilt wheel, a sideways swipe) while HWheelSupport() is on: `Delta` is
    /// positive to the right, the opposite sense to WheelRotate's; otherwise as WheelRotate.
    Event<std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&> HWheelRotate;
    //@}

    /// @name Hooking
    //@{
    /// Hooks window: stores this hook's address in the window's "nvAdvSubcls" property and
    /// replaces its window procedure (with the `W` functions for a Unicode window); from now on
    /// each `WM_MOUSEWHEEL` raises WheelRotate and every other message goes on to the previous
    /// procedure. Refused (nothing changes, nothing is reported) for a handle that names no
    /// window, a window of another thread than the caller's, a window that already carries a wheel
    /// hook, while this hook serves another window that still exists, and when the system
    /// refuses the property or the procedure. Raises nothing.
    void SubClass(win::WindowHandle window);
    /// Lets go of the window: its previous procedure is back (or, below someone else's procedure,
    /// this hook passes messages on until it can leave) and "nvAdvSubcls" is gone; the hook can
    /// then serve a window again. Does nothing when nothing is hooked or the window is gone.
    /// Runs on the window's thread. Raises nothing.
    void UnSubClass();
    //@}

    /// @name Wheel options
    /// Off by default, as on CScrollBars: each wheel message is rounded to whole notches on its
    /// own and `WM_MOUSEHWHEEL` goes on to the window unchanged. Kept in the hook; setting one
    /// touches no window.
    //@{
    /// Whether `WM_MOUSEHWHEEL` raises HWheelRotate: the value last set (false at first).
    Bool16 HWheelSupport();
    /// Any non-zero value: each `WM_MOUSEHWHEEL` raises HWheelRotate, and is consumed or passed
    /// on as its handler decides; 0: it goes on to the previous procedure unchanged.
    void HWheelSupport(Bool16 value);
    /// Whether parts of a notch are carried from one wheel message to the next: the value last
    /// set (false at first).
    Bool16 WheelCarry();
    /// Any non-zero value: parts of a notch are carried, as CScrollBars::WheelCarry(Bool16)
    /// describes; 0: each message is rounded to the nearest notch on its own, halves to even.
    void WheelCarry(Bool16 value);
    /// The amount of the wheel message being reported, in the event's sense (positive toward the
    /// user for WheelRotate, to the right for HWheelRotate), 120 a notch: read it in the handler,
    /// for an owner that scrolls by parts of a notch. Outside a handler, the amount of the latest
    /// wheel message reported (0 at first).
    std::int32_t RawDelta();
    //@}

    /// @name State, for inspection
    /// Neither touches the window or waits for its thread; both may be read on any thread.
    //@{
    /// The procedure the window ran before SubClass(), to which every message the hook does not
    /// consume goes on; null while no window is hooked.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(); }
    /// The hooked window; null while no window is hooked (until a SubClass() succeeds, after
    /// UnSubClass(), and once the hook has let go of a destroyed window).
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(); }
    //@}

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
    detail::WheelState wheels_;  // every WM_MOUSEWHEEL is reported; WM_MOUSEHWHEEL while enabled[0]
};

}  // namespace brennick
