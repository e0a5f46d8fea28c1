// The window hook of both components: the process's table of links from windows to components,
// its lock, and everything done to them (private).
#pragma once

#include <brennick/Ref.h>
#include <brennick/Win32Types.h>
#include <brennick/detail/WindowHook.h>

#include "controls/hook/HookLink.h"

namespace brennick::detail {

// The one owner of all hook state. Each operation is a whole intention and takes the table's
// lock itself, never while a window procedure or an owner's handler runs.
class Hooks {
public:
    // Hooks window for owner, whose hook then holds the new link. Refused (nothing changes) for a
    // handle that names no window, a window of another thread than the caller's, a window that
    // carries the property or another component of the kind, while the hook serves a window that
    // still exists, and when the system refuses the property or the procedure.
    static void Attach(WindowHook& hook, win::Hwnd window, const HookKind& kind, RefCounted& owner);
    // Owner lets go of its window: the window runs what it ran before, or, where someone else's
    // procedure sits above, the link passes messages on until it can leave; the property goes. On
    // another thread than the window's only the letting go and the property are done at once.
    static void Detach(const WindowHook& hook, RefCounted& owner);
    // Owner's last reference is gone: it lets go and is freed, here on the window's thread (or
    // without a window), else by the window's thread at its next message through the hook, the
    // window's end or the thread's end. Never waits for another thread.
    static void Release(const WindowHook& hook, const HookKind& kind, RefCounted& owner) noexcept;
    // One message through a shared procedure.
    static win::LResult Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept;
    // A counted reference to the component of kind that serves window, or empty.
    static Ref<RefCounted> Owner(win::Hwnd window, const HookKind& kind);

    // Where a push of settings goes from outside a message: the hooked window while owner's link
    // is provably in its chain, else null (a reused handle gets nothing).
    static win::Hwnd PushTarget(const WindowHook& hook, const RefCounted& owner);
    // The window of the innermost message that owner serves on this thread while its link there
    // still serves it (a push or query made meanwhile goes to that window), else null.
    static win::Hwnd ServedWindow(const RefCounted& owner) noexcept;
};

// The shared window procedure and the lookup of one component class, which befriends this for
// its kind.
template <class Component>
struct SharedProcedure {
    static win::LResult Dispatch(win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept {
        return Hooks::Dispatch(Component::kHookKind, window, message, wParam, lParam);
    }
    static Ref<Component> Owner(win::Hwnd window) {
        return Hooks::Owner(window, Component::kHookKind).template StaticCast<Component>();
    }
};

}  // namespace brennick::detail
