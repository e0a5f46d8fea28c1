// Internals of the window-property hook that both components embed; not for callers.
//
// A hooked window carries a named property with the component's address and runs a procedure
// shared by all components of one kind. The property is the window's public mark; the link
// from window to component that the shared procedure follows is kept in the process, where no
// other process can forge it. A component's link stays in the window's chain of procedures
// until it can leave without cutting out a procedure that someone else installed above it;
// until then it passes every message on unchanged.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <atomic>
#include <memory>
#include <type_traits>

#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick::detail {

struct HookKind;
struct HookLink;

class WindowHook {
public:
    WindowHook() = default;
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;

    // The hooked window and the procedure it ran before the hook; null while not hooked.
    win::Hwnd TargetWnd() const noexcept { return target_.load(); }
    win::WndProc PrevWndProc() const noexcept { return prev_.load(); }

    // Hooks window for owner, on the window's own thread only. Refused (nothing changes) for a
    // handle that names no window, a window of another thread, a window that already carries
    // the property or another component of this kind, while this hook serves a window that
    // still exists, and when the platform refuses the property or the procedure.
    void Attach(win::Hwnd window, const HookKind& kind, RefCounted& owner);
    // Leaves the window: puts back the procedure it replaced, or, where someone else's procedure
    // sits above it, stays in the chain as a pass-through until it can leave; removes the
    // property. Runs on the window's thread, whichever thread calls it.
    void Detach(const HookKind& kind, RefCounted& owner);
    // The owner's last reference is gone: detaches and frees it here when this thread owns the
    // window or there is none; otherwise returns at once and the window's thread does both,
    // at its next message through the hook or at the window's end.
    void Release(const HookKind& kind, RefCounted& owner) noexcept;

    // The window that a push of settings may address now: the hooked window while a message of
    // it runs through this hook or while the hook is provably in its chain, else null.
    win::Hwnd PushTarget(const HookKind& kind, const RefCounted& owner) const;

    // Runs op on the thread that owns the hooked window (by a synchronous private message when
    // the caller is another thread) or, without a window, here, keeping owner alive meanwhile;
    // returns what op returns, or a value-initialised result when the window's thread could not
    // be reached.
    template <class Owner, class Op>
    auto OnWindowThread(Owner& owner, Op op) const {
        const Ref<Owner> keep = Ref<Owner>::Retain(&owner);
        if constexpr (std::is_void_v<decltype(op())>) {
            CallOnWindowThread(op);
        } else {
            decltype(op()) result{};
            auto call = [&] { result = op(); };
            CallOnWindowThread(call);
            return result;
        }
    }

private:
    friend class HookTable;

    // Runs call on the window's thread; false when that thread could not be reached.
    template <class Call>
    bool CallOnWindowThread(Call& call) const {
        return RunOnWindowThread([](void* context) { (*static_cast<Call*>(context))(); }, &call);
    }

    bool RunOnWindowThread(void (*call)(void*), void* context) const;
    void DetachHere(const HookKind& kind);
    void DetachElsewhere(const HookKind& kind, RefCounted& owner);

    std::atomic<win::Hwnd> target_{nullptr};
    std::atomic<win::WndProc> prev_{nullptr};
    std::shared_ptr<HookLink> link_;  // guarded by the hook table's lock
};

}  // namespace brennick::detail
