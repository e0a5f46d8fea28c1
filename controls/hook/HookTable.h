// The hook's process-wide table of links and the shared procedures' dispatch (private).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <brennick/detail/WindowHook.h>
#include <brennick/Win32Types.h>
#include <brennick/Ref.h>

#include "platform/Lock.h"

namespace brennick::detail {

// A component's message handler, called straight from the dispatch: a result, or nothing to pass
// the message on.
using MessageHandler = std::optional<win::LResult> (RefCounted::*)(win::Hwnd window, unsigned int message,
                                                                   win::WParam wParam, win::LParam lParam);

// What one kind of hooking component supplies.
struct HookKind {
    const char* property;     // the window property that marks a hooked window
    win::WndProc procedure;   // the procedure shared by every window hooked by this kind
    MessageHandler handle;    // the component's WindowProc
    WindowHook& (*hookOf)(RefCounted& owner);
    void (*destroy)(RefCounted& owner);  // frees a component whose last reference is gone
};

// One procedure of ours in one window's chain. It lives in the table from the attach until the
// procedure has left the chain or the window is gone, and while a message still runs through it.
// Fields without a word are guarded by the table's lock; owner is written under both locks.
struct HookLink {
    HookLink(win::Hwnd w, std::uint32_t t, const HookKind& k, win::WndProc p, bool u) : window(w), thread(t), kind(&k), prev(p), unicode(u) {}
    const win::Hwnd window;
    const std::uint32_t thread;  // the window's
    const HookKind* const kind;
    const win::WndProc prev;  // what the procedure replaced
    const bool unicode;       // hooked with the W functions (a Unicode window)
    platform::SpinLock ownerLock;       // a message takes its owner under this lock alone
    RefCounted* owner = nullptr;        // the component; null once it let go (the link then passes messages on)
    std::vector<RefCounted*> released;  // components let go on other threads: freed on the window's thread, after the unhook
    std::atomic<bool> ownerless{true};  // owner is null (read without the lock on the way out of a message)
    std::atomic<int> depth{0};          // messages of the window running through the link now
    std::atomic<bool> linked{true};     // still in the table
    std::atomic<bool> dying{false};     // WM_NCDESTROY passed: the window is on its way out (unless that was forged)
};
using LinkPtr = std::shared_ptr<HookLink>;

// Components to free once their window is unhooked, each with the window that may still carry its property.
struct DoomedComponent {
    win::Hwnd window;
    const HookKind* kind;
    RefCounted* owner;
};
using Doomed = std::vector<DoomedComponent>;

class HookTable {
public:
    // One message through a shared procedure (noexcept: nothing thrown may cross the window
    // system's frames; an escaping exception ends the program at once).
    static win::LResult Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept;
    // A counted reference to the component of kind that serves window, or empty.
    static Ref<RefCounted> Owner(win::Hwnd window, const HookKind& kind);

    static platform::Lock& Lock();
    // The link of window whose kind's procedure is procedure, or null (under the lock, shared at least).
    static LinkPtr FindLocked(win::Hwnd window, win::WndProc procedure);
    // The rest under the lock held exclusively.
    static void AddLocked(const LinkPtr& link);
    // Takes the link out of the table; the components released on it go to doomed.
    static void UnlinkLocked(const LinkPtr& link, Doomed& doomed);
    // The link's component forgets the window, and the link its component.
    static void ForgetLocked(const LinkPtr& link);
    // Forgets and unlinks the links of window if the handle names no window now, and a few
    // others, so that the work of sweeping stale links stays constant per attach.
    static void SweepLocked(win::Hwnd window, Doomed& doomed);
    // Puts back the procedure of every released link of window that is on top of its chain;
    // adds the components released elsewhere on window's links to doomed.
    static void LeaveLocked(win::Hwnd window, Doomed& doomed);
    // Outside the lock: removes the properties that still name the components; Free then frees them.
    static void RemoveProperties(const Doomed& components);
    static void Free(const Doomed& doomed);

    // On a thread as it ends, with its cache of links: its windows' links let go of their
    // components and leave the table. A fiber deleted while its thread goes on takes its cache only.
    static void ThreadEnded(void* cache, bool threadEnds);
    // The calling thread keeps the links its messages go through (from its first hooked window on).
    static void CacheLinksOfThisThread();

    // The private message that asks a window's thread to finish a release.
    static unsigned int ReleaseMessage();
};

// Cross-thread calls (WindowHook.cpp): the private message that carries one (0 before the first),
// and running the call that lParam names on the window's thread.
unsigned int PendingCallMessage() noexcept;
bool RunPendingCall(win::Hwnd window, win::LParam lParam);

// A window's procedure, read or replaced in the character set it was hooked in.
win::WndProc CurrentProcedure(win::Hwnd window, bool unicode);
win::WndProc SetProcedure(win::Hwnd window, win::WndProc procedure, bool unicode);

// The dispatch hooks of one component type T, which has a member hook_ and a WindowProc
// returning std::optional<win::LResult>, and befriends this class.
template <class T>
struct HookedWindow {
    static constexpr MessageHandler kHandle = static_cast<MessageHandler>(&T::WindowProc);
    static WindowHook& HookOf(RefCounted& owner) { return static_cast<T&>(owner).hook_; }
    static void Destroy(RefCounted& owner) { delete &static_cast<T&>(owner); }
    static Ref<T> FromWindow(win::Hwnd window) {
        return HookTable::Owner(window, T::kHookKind).template StaticCast<T>();
    }
    static win::LResult Dispatch(win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept {
        return HookTable::Dispatch(T::kHookKind, window, message, wParam, lParam);
    }
};

}  // namespace brennick::detail
