#include <brennick/detail/WindowHook.h>

#include <mutex>         // std::lock_guard
#include <shared_mutex>  // std::shared_lock

#include "controls/hook/HookTable.h"
#include "platform/WindowSystem.h"

namespace brennick::detail {
namespace {

// A call waiting to run on a window's thread (RunOnWindowThread).
struct PendingCall {
    void (*call)(void*);
    void* context;
    win::Hwnd window;
    bool taken = false;
    bool done = false;
};

// The calls waiting now, under the table's lock. Never destroyed, as the table.
std::vector<PendingCall*>& Calls() {
    static auto* const calls = new std::vector<PendingCall*>;
    return *calls;
}

std::atomic<unsigned int> callMessage{0};

unsigned int CallMessage() {
    static const unsigned int message = [] {
        const unsigned int registered = win::RegisterWindowMessageA("BrennickHookCall");
        callMessage.store(registered);
        return registered;
    }();
    return message;
}

}  // namespace

unsigned int PendingCallMessage() noexcept { return callMessage.load(); }

// Runs the pending call that lParam names, if it is one of this process's calls for window.
bool RunPendingCall(win::Hwnd window, win::LParam lParam) {
    PendingCall* call = nullptr;
    {
        const std::lock_guard guard(HookTable::Lock());
        for (PendingCall* pending : Calls()) {
            if (reinterpret_cast<win::LParam>(pending) == lParam && pending->window == window && !pending->taken) {
                call = pending;
                call->taken = true;
            }
        }
    }
    if (call == nullptr) return false;
    call->call(call->context);
    const std::lock_guard guard(HookTable::Lock());
    call->done = true;
    return true;
}

void WindowHook::Attach(win::Hwnd window, const HookKind& kind, RefCounted& owner) {
    if (!win::IsWindow(window)) return;
    if (win::GetWindowThreadProcessId(window) != win::GetCurrentThreadId()) return;
    Doomed doomed;
    {
        // Releases of the window's components that other threads left to this one end first.
        const std::lock_guard guard(HookTable::Lock());
        HookTable::LeaveLocked(window, doomed);
        HookTable::SweepLocked(link_ != nullptr ? link_->window : nullptr, doomed);
    }
    HookTable::Free(doomed);
    if (win::GetPropA(window, kind.property) != nullptr) return;  // this or another component is there
    LinkPtr passThrough;
    bool refused = false;
    {
        const std::lock_guard guard(HookTable::Lock());
        passThrough = HookTable::FindLocked(window, kind.procedure);
        // One window per component, while that window exists. Another component of this kind
        // serves the window (its property was taken away), or the window was told it is being
        // destroyed: no new component there.
        refused = link_ != nullptr || (passThrough != nullptr && (passThrough->owner != nullptr || passThrough->dying));
    }
    if (refused || !win::SetPropA(window, kind.property, &owner)) return;

    if (passThrough == nullptr) {
        const bool unicode = win::IsWindowUnicode(window);
        const win::WndProc previous = SetProcedure(window, kind.procedure, unicode);
        if (previous == nullptr || previous == kind.procedure) {
            // Not replaced, or a stray copy of our procedure was on top: forwarding there would
            // come back here. Leave no property that would outlive this component.
            if (previous != nullptr) SetProcedure(window, previous, unicode);
            win::RemovePropA(window, kind.property);
            return;
        }
        passThrough = std::make_shared<HookLink>(window, win::GetCurrentThreadId(), kind, previous, unicode);
        HookTable::CacheLinksOfThisThread();
        const std::lock_guard guard(HookTable::Lock());
        HookTable::AddLocked(passThrough);
    }
    // A new link, or one a released component left in the chain, which this one takes over.
    const std::lock_guard guard(HookTable::Lock());
    if (!passThrough->linked) return;  // left meanwhile: nothing to take over
    {
        const std::lock_guard ownerGuard(passThrough->ownerLock);
        passThrough->owner = &owner;
        passThrough->ownerless.store(false);
    }
    link_ = passThrough;
    prev_.store(passThrough->prev);
    target_.store(window);
}

void WindowHook::Detach(const HookKind& kind, RefCounted& owner) {
    auto here = [&] { DetachHere(kind); };
    if (!CallOnWindowThread(here)) DetachElsewhere(kind, owner);
}

void WindowHook::DetachHere(const HookKind& kind) {
    const win::Hwnd target = TargetWnd();
    const bool exists = win::IsWindow(target);
    Doomed doomed;
    {
        const std::lock_guard guard(HookTable::Lock());
        const LinkPtr link = link_;
        if (link == nullptr) return;
        HookTable::ForgetLocked(link);
        exists ? HookTable::LeaveLocked(target, doomed) : HookTable::UnlinkLocked(link, doomed);
    }
    HookTable::Free(doomed);
    if (exists) win::RemovePropA(target, kind.property);  // result deliberately unused
}

// The window's thread never ran the detach (its procedure chain swallowed the private message):
// the link lets go of the component here and passes messages on; the window's thread puts the
// procedure back when the next message finds it on top.
void WindowHook::DetachElsewhere(const HookKind& kind, RefCounted& owner) {
    win::Hwnd target = nullptr;
    {
        const std::lock_guard guard(HookTable::Lock());
        if (link_ == nullptr) return;
        target = link_->window;
        HookTable::ForgetLocked(LinkPtr(link_));
    }
    if (win::GetPropA(target, kind.property) == &owner) win::RemovePropA(target, kind.property);
}

// On another thread than the window's, nothing here waits for it: the link lets go of the
// component at once and keeps it, and a posted message asks the window's thread to unhook and
// free it. Any message through the link does the same, and the window's end frees it too.
void WindowHook::Release(const HookKind& kind, RefCounted& owner) noexcept {
    const win::Hwnd target = TargetWnd();
    const std::uint32_t thread = target == nullptr ? 0 : win::GetWindowThreadProcessId(target);
    if (thread == 0 || thread == win::GetCurrentThreadId()) {
        DetachHere(kind);
        return kind.destroy(owner);
    }
    LinkPtr link;
    {
        const std::lock_guard guard(HookTable::Lock());
        link = link_;
        if (link != nullptr) {
            HookTable::ForgetLocked(link);
            link->released.push_back(&owner);
        }
    }
    if (link == nullptr) return kind.destroy(owner);
    if (win::PostMessageA(target, HookTable::ReleaseMessage(), 0, 0) || win::IsWindow(target)) return;
    // Not posted because the window is gone: no message will come.
    Doomed doomed;
    {
        const std::lock_guard guard(HookTable::Lock());
        HookTable::SweepLocked(target, doomed);
    }
    HookTable::Free(doomed);
}

// The hooked window is provably still the one hooked while a message of it runs through the
// link, or while the chain from its top down to the link runs through our links only (only
// they can have put ours there); below someone else's procedure its property must name owner.
win::Hwnd WindowHook::PushTarget(const HookKind& kind, const RefCounted& owner) const {
    win::Hwnd window = nullptr;
    {
        const std::shared_lock guard(HookTable::Lock());
        if (link_ == nullptr) return nullptr;
        window = link_->window;
        if (link_->depth.load() > 0) return window;
        win::WndProc procedure = CurrentProcedure(window, link_->unicode);
        for (int hops = 0; procedure != kind.procedure && hops < 8; ++hops) {
            const LinkPtr above = HookTable::FindLocked(window, procedure);
            if (above == nullptr) break;
            procedure = above->prev;
        }
        if (procedure == kind.procedure) return window;
    }
    return win::GetPropA(window, kind.property) == &owner ? window : nullptr;
}

bool WindowHook::RunOnWindowThread(void (*call)(void*), void* context) const {
    const win::Hwnd window = TargetWnd();
    const std::uint32_t thread = window == nullptr ? 0 : win::GetWindowThreadProcessId(window);
    if (thread == 0 || thread == win::GetCurrentThreadId()) {
        call(context);
        return true;
    }
    PendingCall pending{call, context, window};
    const unsigned int message = CallMessage();
    {
        const std::lock_guard guard(HookTable::Lock());
        Calls().push_back(&pending);
    }
    if (message != 0) win::SendMessageA(window, message, 0, reinterpret_cast<win::LParam>(&pending));
    const std::lock_guard guard(HookTable::Lock());
    std::erase(Calls(), &pending);
    return pending.done;
}

}  // namespace brennick::detail
