// Internals of the window hook that both components embed; not for callers.
//
// A hooked window carries a named property with the component's address and runs a procedure
// shared by all components of one kind. The property is the window's public mark; the link from
// window to component that the shared procedure follows is kept in the process, where no other
// process can forge it. A component's hook holds that link and nothing else.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <memory>
#include <type_traits>

#include <brennick/detail/SpinLock.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick::detail {

class HookLink;

// The message a component serves now: its window, and the link it came through.
struct HookContext {
    win::Hwnd window;
    const HookLink* link;
};

class WindowHook {
public:
    WindowHook() = default;
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;
    ~WindowHook() = default;

    // The hooked window and the procedure it ran before the hook, while the link serves owner;
    // null otherwise. Any thread.
    win::Hwnd TargetWnd(const RefCounted& owner) const;
    win::WndProc PrevWndProc(const RefCounted& owner) const;

    // The link the component took at its latest attach (it may have ended since), or null.
    std::shared_ptr<HookLink> Link() const;
    void Link(std::shared_ptr<HookLink> link);

    // Runs op on the thread that owns the hooked window (by a synchronous private message when the
    // caller is another thread) or, without a window, here, keeping owner alive meanwhile; returns
    // what op returns, or a value-initialised result when the window's thread could not be reached.
    template <class Owner, class Op>
    auto OnWindowThread(Owner& owner, Op op) const {
        const Ref<Owner> keep = Ref<Owner>::Retain(&owner);
        if constexpr (std::is_void_v<decltype(op())>) {
            RunOnWindowThread(owner, op);
        } else {
            decltype(op()) result{};
            auto call = [&] { result = op(); };
            RunOnWindowThread(owner, call);
            return result;
        }
    }
    // As OnWindowThread, for an op that returns nothing: false when the window's thread could not
    // be reached.
    template <class Call>
    bool RunOnWindowThread(const RefCounted& owner, Call& call) const {
        return Run(
            TargetWnd(owner), [](void* context) { (*static_cast<Call*>(context))(); }, &call);
    }

private:
    static bool Run(win::Hwnd window, void (*call)(void*), void* context);

    mutable SpinLock lock_;  // guards link_ alone, so that it may be read on any thread
    std::shared_ptr<HookLink> link_;
};

}  // namespace brennick::detail
