// One procedure of ours in one window's chain, and the kind of component it serves (private).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include <brennick/Ref.h>
#include <brennick/Win32Types.h>

#include <brennick/detail/SpinLock.h>

namespace brennick::detail {

struct HookContext;

// What one kind of hooking component supplies.
struct HookKind {
    const char* property;    // the window property that marks a hooked window
    win::WndProc procedure;  // the procedure shared by every window hooked by this kind
    // The component's answer to one message of the window it serves; nothing to pass it on.
    std::optional<win::LResult> (*serve)(RefCounted& owner, const HookContext& context, unsigned int message,
                                         win::WParam wParam, win::LParam lParam);
    void (*destroy)(RefCounted& owner);  // frees a component whose last reference is gone
};

// A link's life, one state at a time:
//   Attached(owner) -> Released(owner)  the owner's last reference went; it waits on the link to
//                                       be freed on the window's thread
//   Attached(owner) -> PassingThrough   the owner let go of the window (or was freed) while
//   Released(owner) -> PassingThrough   someone else's procedure sits above: the link passes
//                                       messages on until a message finds it on top
//   PassingThrough  -> Attached(owner)  a new component of the kind takes the window over
//   any             -> Unlinked         the link left the chain, or the window is gone: the end
enum class LinkState : std::uint8_t { Attached, Released, PassingThrough, Unlinked };

class HookLink {
public:
    HookLink(win::Hwnd w, std::uint32_t t, const HookKind& k, win::WndProc p, bool u, RefCounted& owner)
        : window(w), thread(t), kind(k), prev(p), unicode(u), owner_(&owner) {}
    HookLink(const HookLink&) = delete;
    HookLink& operator=(const HookLink&) = delete;
    ~HookLink() = default;

    const win::Hwnd window;
    const std::uint32_t thread;  // the window's
    const HookKind& kind;
    const win::WndProc prev;  // what our procedure replaced
    const bool unicode;       // hooked with the W functions (a Unicode window)

    // What the link holds: its state and, while Attached or Released, its component.
    struct Holding {
        LinkState state = LinkState::Unlinked;
        RefCounted* owner = nullptr;
    };

    // The state as it is now, read without the lock: it may change the moment after.
    LinkState State() const noexcept { return state_.load(std::memory_order_acquire); }
    // Whether owner is the component the link serves now.
    bool ServedBy(const RefCounted& owner) const;
    // A counted reference to the component the link serves, or none (it let go, or its last
    // reference is gone).
    Ref<RefCounted> Serving() const;
    // The changes of state, and the only ones. Become moves the link from `from` (a null owner
    // there matches any) to `to` when it holds `from` now and the transition is one drawn above;
    // it returns what the link held, or nothing when it changed nothing. Unlink ends the link
    // from any state and returns what it held.
    std::optional<Holding> Become(Holding from, Holding to);
    Holding Unlink();

private:
    // Guards state_ and owner_ together: a message reads them under it, and every change writes
    // them under it, so a component is never taken from a link while it is being freed.
    mutable SpinLock lock_;
    std::atomic<LinkState> state_{LinkState::Attached};
    RefCounted* owner_;
};
using LinkPtr = std::shared_ptr<HookLink>;

}  // namespace brennick::detail
