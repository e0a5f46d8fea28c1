/// @file
/// cSubClassWheel, the wheel hook: mouse-wheel rotation over any window, consumed or passed on as
/// its owner decides.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <optional>

#include <brennick/HookedComponent.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick {

/// The wheel hook: reports mouse-wheel rotation over one window and lets its owner decide,
/// message by message, whether the wheel message is consumed or goes on to the window's previous
/// procedure.
///
/// Create one with `MakeRef<cSubClassWheel>()`, connect a handler to WheelRotate and hook a
/// window with SubClass(); UnSubClass() lets go of it at any time, and a later SubClass() may hook
/// a window again. It works beside a CScrollBars on the same window: the one hooked last sees each
/// message first and passes on what it does not consume. Its events, hooking and wheel options
/// are those of HookedComponent; every `WM_MOUSEWHEEL` raises WheelRotate, and every other message
/// goes on to the previous procedure.
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
class cSubClassWheel final : public HookedComponent<std::int32_t&> {
public:
    /// The window property that marks a hooked window: set by SubClass() to this hook's address
    /// (an uncounted reference) and removed when the hook lets go of the window.
    static constexpr const char* kPropertyName = "nvAdvSubcls";

    /// Runs once the window is unhooked, as UnSubClass() does it: at once when the last Ref goes
    /// on the window's thread (or with no window); on the window's thread, at its next message,
    /// when it goes on another thread.
    ~cSubClassWheel() override;
    cSubClassWheel(const cSubClassWheel&) = delete;
    cSubClassWheel& operator=(const cSubClassWheel&) = delete;

    /// @name Hooking
    //@{
    /// Lets go of the window: its previous procedure is back (or, below someone else's procedure,
    /// this hook passes messages on until it can leave) and "nvAdvSubcls" is gone; the hook can
    /// then serve a window again. Does nothing when nothing is hooked or the window is gone.
    /// Runs on the window's thread. Raises nothing.
    using HookedComponent::UnSubClass;
    //@}

private:
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);
    friend struct detail::SharedProcedure<cSubClassWheel>;
    static const detail::HookKind kHookKind;

    cSubClassWheel();  // created by MakeRef only
    std::optional<win::LResult> WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                           win::LParam lParam) override;
};

}  // namespace brennick
