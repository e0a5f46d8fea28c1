// The hook's process-wide table of links and the shared procedures' dispatch (private).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <brennick/detail/WindowHook.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

namespace brennick::detail {

// What one kind of hooking component supplies.
struct HookKind {
    const char* property;     // the window property that marks a hooked window
    win::WndProc procedure;   // the procedure shared by every window hooked by this kind
    // The component's message handler: a result, or nothing to pass the message on.
    std::optional<win::LResult> (*handle)(RefCounted& owner, win::Hwnd window, unsigned int message,
                                          win::WParam wParam, win::LParam lParam);
    WindowHook& (*hookOf)(RefCounted& owner);
};

// One procedure of ours in one window's chain. It lives in the table from the attach until the
// procedure has left the chain or the window is gone, and while a message still runs through it.
struct HookLink {
    win::Hwnd window;
    const HookKind* kind;
    win::WndProc prev;     // what the procedure replaced; never changes
    bool unicode;          // hooked with the W functions (a Unicode window)
    RefCounted* owner;     // the component; null once it let go (the link then passes messages on)
    int depth = 0;         // messages of the window running through the link now
    bool linked = true;    // still in the table
    bool dying = false;    // WM_NCDESTROY passed: the window is on its way out (unless that was forged)
};

class HookTable {
public:
    // One message through a shared procedure (noexcept: nothing thrown may cross the window
    // system's frames; an escaping exception ends the program at once).
    static win::LResult Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept;
    // A counted reference to the component of kind that serves window, or empty.
    static Ref<RefCounted> Owner(win::Hwnd window, const HookKind& kind);
    // The link's component forgets the window, and the link its component (under the lock).
    static void ForgetLocked(const std::shared_ptr<HookLink>& link);
};

// The dispatch hooks of one component type T, which has a member hook_ and a WindowProc
// returning std::optional<win::LResult>, and befriends this class.
template <class T>
struct HookedWindow {
    static std::optional<win::LResult> Handle(RefCounted& owner, win::Hwnd window, unsigned int message,
                                              win::WParam wParam, win::LParam lParam) {
        return static_cast<T&>(owner).WindowProc(window, message, wParam, lParam);
    }
    static WindowHook& HookOf(RefCounted& owner) { return static_cast<T&>(owner).hook_; }
    static Ref<T> FromWindow(win::Hwnd window) {
        return HookTable::Owner(window, T::kHookKind).template StaticCast<T>();
    }
    static win::LResult Dispatch(win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept {
        return HookTable::Dispatch(T::kHookKind, window, message, wParam, lParam);
    }
};

}  // namespace brennick::detail
