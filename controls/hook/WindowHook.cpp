#include <brennick/detail/WindowHook.h>

#include <algorithm>
#include <atomic>
#include <mutex>  // std::lock_guard
#include <vector>

#include "controls/hook/HookTable.h"
#include "platform/Lock.h"
#include "platform/Win32Constants.h"
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

// Every link and pending call of the process. Links are few (one per hooked window and kind);
// the lock is never held while a window procedure or an owner's handler runs.
struct Table {
    platform::Lock lock;
    std::vector<std::shared_ptr<HookLink>> links;
    std::vector<PendingCall*> calls;
};

// Never destroyed: a component may still let go of its window while static objects end.
Table& TheTable() {
    static Table* const table = new Table;
    return *table;
}

// The private message that carries a PendingCall; registered on the first cross-thread call.
std::atomic<unsigned int> callMessage{0};

unsigned int CallMessage() {
    static const unsigned int message = [] {
        const unsigned int registered = win::RegisterWindowMessageA("BrennickHookCall");
        callMessage.store(registered);
        return registered;
    }();
    return message;
}

std::shared_ptr<HookLink> FindLocked(Table& table, win::Hwnd window, const HookKind& kind) {
    for (const auto& link : table.links) {
        if (link->window == window && link->kind == &kind) return link;
    }
    return nullptr;
}

// Takes its own copy: the caller's may be the very element that is erased.
void UnlinkLocked(Table& table, std::shared_ptr<HookLink> link) {
    link->linked = false;
    std::erase(table.links, link);
}

void ForgetLocked(const std::shared_ptr<HookLink>& link) { HookTable::ForgetLocked(link); }

win::WndProc CurrentProcedure(win::Hwnd window, bool unicode) {
    return unicode ? win::GetWindowProcedureW(window) : win::GetWindowProcedureA(window);
}

win::WndProc SetProcedure(win::Hwnd window, win::WndProc procedure, bool unicode) {
    return unicode ? win::SetWindowProcedureW(window, procedure) : win::SetWindowProcedureA(window, procedure);
}

// Links whose windows are gone without their procedure seeing it (someone had cut it out of
// the chain): their windows' handles may come back for new windows.
void SweepLocked(Table& table) {
    for (std::size_t i = table.links.size(); i-- > 0;) {
        const std::shared_ptr<HookLink> link = table.links[i];
        if (link->depth == 0 && !win::IsWindow(link->window)) {
            ForgetLocked(link);
            UnlinkLocked(table, link);
        }
    }
}

// Puts back the procedure of every released link of window that is on top of its chain, the
// ones uncovered by that included, so a window whose components are all gone runs what it ran
// before. A link with someone else's procedure above it stays and passes messages on.
void Leave(win::Hwnd window) {
    Table& table = TheTable();
    const std::lock_guard guard(table.lock);
    for (bool left = true; left;) {
        left = false;
        for (const auto& link : table.links) {
            if (link->window != window || link->owner != nullptr) continue;
            if (CurrentProcedure(window, link->unicode) != link->kind->procedure) continue;
            // A refused restore leaves the link where it is, passing messages on.
            if (SetProcedure(window, link->prev, link->unicode) == nullptr) return;
            UnlinkLocked(table, link);
            left = true;
            break;
        }
    }
}

// Runs the pending call that lParam names, if it is one of this process's calls for window.
bool RunPendingCall(win::Hwnd window, win::LParam lParam) {
    Table& table = TheTable();
    PendingCall* call = nullptr;
    {
        const std::lock_guard guard(table.lock);
        for (PendingCall* pending : table.calls) {
            if (reinterpret_cast<win::LParam>(pending) == lParam && pending->window == window && !pending->taken) {
                call = pending;
                call->taken = true;
            }
        }
    }
    if (call == nullptr) return false;
    call->call(call->context);
    const std::lock_guard guard(table.lock);
    call->done = true;
    return true;
}

win::LResult Forward(const HookLink& link, win::Hwnd window, unsigned int message, win::WParam wParam,
                     win::LParam lParam) {
    bool doubtful = false;
    {
        const std::lock_guard guard(TheTable().lock);
        doubtful = link.dying || !link.linked;
    }
    // A window destroyed while its message was in an owner's hands gets nothing more.
    if (doubtful && !win::IsWindow(window)) return 0;
    return link.unicode ? win::CallWindowProcW(link.prev, window, message, wParam, lParam)
                        : win::CallWindowProcA(link.prev, window, message, wParam, lParam);
}

}  // namespace

win::LResult HookTable::Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept {
    const unsigned int callId = callMessage.load();
    if (callId != 0 && message == callId && RunPendingCall(window, lParam)) return 0;

    Table& table = TheTable();
    std::shared_ptr<HookLink> link;
    Ref<RefCounted> owner;
    {
        const std::lock_guard guard(table.lock);
        link = FindLocked(table, window, kind);
        if (link != nullptr) {
            owner = Ref<RefCounted>::TryRetain(link->owner);
            ++link->depth;
        }
    }
    // Our procedure on a window we hold no link for: only a copy someone else kept and called
    // after it left can come here. It knows nowhere to forward.
    if (link == nullptr) {
        return win::IsWindowUnicode(window) ? win::DefWindowProcW(window, message, wParam, lParam)
                                            : win::DefWindowProcA(window, message, wParam, lParam);
    }

    std::optional<win::LResult> result;
    if (owner) result = kind.handle(*owner, window, message, wParam, lParam);
    if (!result) result = Forward(*link, window, message, wParam, lParam);

    bool released = false;
    std::vector<std::pair<const HookKind*, RefCounted*>> forgotten;  // their properties go as well
    {
        const std::lock_guard guard(table.lock);
        --link->depth;
        // The window's own procedure has seen its last message: the window is on its way out. Its
        // components forget it, this link's and any that attached while the message was on its way;
        // the links pass messages on until they leave (a forged WM_NCDESTROY leaves a working chain).
        if (message == WM_NCDESTROY) {
            for (const auto& other : table.links) {
                if (other->window != window) continue;
                if (other->owner != nullptr) forgotten.push_back({other->kind, other->owner});
                ForgetLocked(other);
                other->dying = true;
            }
        }
        released = link->owner == nullptr && link->linked;
    }
    for (const auto& [forgottenKind, forgottenOwner] : forgotten) {
        if (win::GetPropA(window, forgottenKind->property) == forgottenOwner) win::RemovePropA(window, forgottenKind->property);
    }
    if (released) Leave(window);
    return *result;  // the component's reference goes last: its end may detach it
}

// The owner's hook forgets its window (it let go of it, or the window is gone).
void HookTable::ForgetLocked(const std::shared_ptr<HookLink>& link) {
    if (link->owner == nullptr) return;
    WindowHook& hook = link->kind->hookOf(*link->owner);
    if (hook.link_ == link) {
        hook.link_.reset();
        hook.target_.store(nullptr);
        hook.prev_.store(nullptr);
    }
    link->owner = nullptr;
}

Ref<RefCounted> HookTable::Owner(win::Hwnd window, const HookKind& kind) {
    Table& table = TheTable();
    const std::lock_guard guard(table.lock);
    const std::shared_ptr<HookLink> link = FindLocked(table, window, kind);
    return link == nullptr ? Ref<RefCounted>() : Ref<RefCounted>::TryRetain(link->owner);
}

void WindowHook::Attach(win::Hwnd window, const HookKind& kind, RefCounted& owner) {
    if (!win::IsWindow(window)) return;
    if (win::GetWindowThreadProcessId(window) != win::GetCurrentThreadId()) return;
    if (win::GetPropA(window, kind.property) != nullptr) return;  // this or another component is there
    Table& table = TheTable();
    std::shared_ptr<HookLink> passThrough;
    {
        const std::lock_guard guard(table.lock);
        SweepLocked(table);
        if (link_ != nullptr) return;  // one window per component, while that window exists
        passThrough = FindLocked(table, window, kind);
        // Another component of this kind serves the window (its property was taken away), or the
        // window was told it is being destroyed: no new component there.
        if (passThrough != nullptr && (passThrough->owner != nullptr || passThrough->dying)) return;
    }
    if (!win::SetPropA(window, kind.property, &owner)) return;

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
        passThrough = std::make_shared<HookLink>(HookLink{window, &kind, previous, unicode, nullptr});
        const std::lock_guard guard(table.lock);
        table.links.push_back(passThrough);
    }
    // A new link, or one a released component left in the chain, which this one takes over.
    const std::lock_guard guard(table.lock);
    if (!passThrough->linked) return;  // left meanwhile: nothing to take over
    passThrough->owner = &owner;
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
    std::shared_ptr<HookLink> link;
    {
        const std::lock_guard guard(TheTable().lock);
        link = link_;
        if (link == nullptr) return;
        ForgetLocked(link);
        if (!exists && link->linked) UnlinkLocked(TheTable(), link);
    }
    if (!exists) return;
    Leave(target);
    win::RemovePropA(target, kind.property);  // result deliberately unused
}

// The window's thread never ran the detach (its procedure chain swallowed the private message):
// the link lets go of the component here and passes messages on; the window's thread puts the
// procedure back when the next message finds it on top.
void WindowHook::DetachElsewhere(const HookKind& kind, RefCounted& owner) {
    win::Hwnd target = nullptr;
    {
        const std::lock_guard guard(TheTable().lock);
        if (link_ == nullptr) return;
        target = link_->window;
        ForgetLocked(std::shared_ptr<HookLink>(link_));
    }
    if (win::GetPropA(target, kind.property) == &owner) win::RemovePropA(target, kind.property);
}

// The hooked window is provably still the one hooked while a message of it runs through the
// link, or while the link's procedure is on top of its chain (only this link can have put it
// there); otherwise its property must still name the owner.
win::Hwnd WindowHook::PushTarget(const HookKind& kind, const RefCounted& owner) const {
    win::Hwnd window = nullptr;
    bool unicode = false;
    {
        const std::lock_guard guard(TheTable().lock);
        if (link_ == nullptr) return nullptr;
        window = link_->window;
        unicode = link_->unicode;
        if (link_->depth > 0) return window;
    }
    if (CurrentProcedure(window, unicode) == kind.procedure) return window;
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
    Table& table = TheTable();
    const unsigned int message = CallMessage();
    {
        const std::lock_guard guard(table.lock);
        table.calls.push_back(&pending);
    }
    if (message != 0) win::SendMessageA(window, message, 0, reinterpret_cast<win::LParam>(&pending));
    const std::lock_guard guard(table.lock);
    std::erase(table.calls, &pending);
    return pending.done;
}

}  // namespace brennick::detail
