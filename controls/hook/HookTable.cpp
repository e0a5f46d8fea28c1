#include "controls/hook/HookTable.h"

#include <array>
#include <mutex>         // std::lock_guard
#include <shared_mutex>  // std::shared_lock
#include <unordered_map>

#include "platform/ThreadExit.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::detail {
namespace {

// Every link of the process, by window: finding one costs the same for one hooked window and for
// ten thousand. The lock is never held while a window procedure or an owner's handler runs.
struct Table {
    platform::Lock lock;
    std::unordered_map<win::Hwnd, std::vector<LinkPtr>> windows;  // each window's links, oldest first
    std::size_t attachesSinceSweep = 0;
};

// Never destroyed: a component may still let go of its window while static objects end.
Table& TheTable() {
    static Table* const table = new Table;
    return *table;
}

std::atomic<unsigned int> releaseMessage{0};

// The links that a thread's last messages went through: a message through one of them finds it
// without the table's lock, the one memory that every thread's messages would otherwise write.
// An entry stands while its link is in the table (a window has one link of each kind there, and
// a link that left never comes back); the links of a live window leave only on its own thread.
struct ThreadCache {
    std::array<LinkPtr, 4> links;
    std::size_t next = 0;  // the entry to replace next
};

ThreadCache* CacheOfThisThread() { return static_cast<ThreadCache*>(platform::ThreadValue()); }

LinkPtr Cached(const ThreadCache& cache, win::Hwnd window, win::WndProc procedure) {
    for (const LinkPtr& link : cache.links) {
        if (link != nullptr && link->window == window && link->kind->procedure == procedure && link->linked.load()) {
            return link;
        }
    }
    return nullptr;
}

LinkPtr Find(win::Hwnd window, const HookKind& kind) {
    ThreadCache* const cache = CacheOfThisThread();
    if (cache != nullptr) {
        if (LinkPtr link = Cached(*cache, window, kind.procedure)) return link;
    }
    LinkPtr link;
    {
        const std::shared_lock guard(TheTable().lock);
        link = HookTable::FindLocked(window, kind.procedure);
    }
    if (cache != nullptr && link != nullptr) {
        cache->links[cache->next] = link;
        cache->next = (cache->next + 1) % cache->links.size();
    }
    return link;
}

// Forgets and unlinks the links of a window that is gone, unless a message still runs through one.
void DropIfGoneLocked(win::Hwnd window, Doomed& doomed) {
    const auto found = TheTable().windows.find(window);
    if (found == TheTable().windows.end() || win::IsWindow(window)) return;
    const std::vector<LinkPtr> links = found->second;
    for (const LinkPtr& link : links) {
        if (link->depth.load() != 0) continue;
        HookTable::ForgetLocked(link);
        HookTable::UnlinkLocked(link, doomed);
    }
}

win::LResult Forward(const HookLink& link, win::Hwnd window, unsigned int message, win::WParam wParam,
                     win::LParam lParam) {
    // A window destroyed while its message was in an owner's hands gets nothing more.
    if ((link.dying.load() || !link.linked.load()) && !win::IsWindow(window)) return 0;
    return link.unicode ? win::CallWindowProcW(link.prev, window, message, wParam, lParam)
                        : win::CallWindowProcA(link.prev, window, message, wParam, lParam);
}

// The way out of a message through a link that let go of its component, or of WM_NCDESTROY.
void Finish(win::Hwnd window, bool destroyed) {
    Doomed forgotten, doomed;  // the first keep their memory: only their properties go
    {
        const std::lock_guard guard(TheTable().lock);
        // The window's own procedure has seen its last message: the window is on its way out. Its
        // components forget it, this link's and any that attached while the message was on its
        // way; the links pass messages on until they leave (a forged WM_NCDESTROY leaves a working chain).
        const auto found = TheTable().windows.find(window);
        if (destroyed && found != TheTable().windows.end()) {
            for (const LinkPtr& other : found->second) {
                if (other->owner != nullptr) forgotten.push_back({window, other->kind, other->owner});
                HookTable::ForgetLocked(other);
                other->dying.store(true);
            }
        }
        HookTable::LeaveLocked(window, doomed);
    }
    HookTable::RemoveProperties(forgotten);
    HookTable::Free(doomed);
}

}  // namespace

win::LResult HookTable::Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                                 win::LParam lParam) noexcept {
    const unsigned int callMessage = PendingCallMessage();
    if (callMessage != 0 && message == callMessage && RunPendingCall(window, lParam)) return 0;

    const LinkPtr link = Find(window, kind);
    // Our procedure on a window we hold no link for: only a copy someone else kept and called
    // after it left can come here. It knows nowhere to forward.
    if (link == nullptr) {
        return win::IsWindowUnicode(window) ? win::DefWindowProcW(window, message, wParam, lParam)
                                            : win::DefWindowProcA(window, message, wParam, lParam);
    }
    Ref<RefCounted> owner;
    {
        const std::lock_guard guard(link->ownerLock);
        owner = Ref<RefCounted>::TryRetain(link->owner);
        link->depth.fetch_add(1);
    }

    std::optional<win::LResult> result;
    const unsigned int release = releaseMessage.load();
    const bool ours = release != 0 && message == release;  // for every link of the window: the way out does the work
    if (ours) result = 0;
    if (!result && owner) result = ((*owner).*kind.handle)(window, message, wParam, lParam);
    if (!result) result = Forward(*link, window, message, wParam, lParam);
    link->depth.fetch_sub(1);
    if (ours || message == WM_NCDESTROY || link->ownerless.load()) Finish(window, message == WM_NCDESTROY);
    return *result;  // the component's reference goes last: its end may detach it
}

win::WndProc CurrentProcedure(win::Hwnd window, bool unicode) {
    return unicode ? win::GetWindowProcedureW(window) : win::GetWindowProcedureA(window);
}

win::WndProc SetProcedure(win::Hwnd window, win::WndProc procedure, bool unicode) {
    return unicode ? win::SetWindowProcedureW(window, procedure) : win::SetWindowProcedureA(window, procedure);
}

Ref<RefCounted> HookTable::Owner(win::Hwnd window, const HookKind& kind) {
    const std::shared_lock guard(TheTable().lock);
    const LinkPtr link = FindLocked(window, kind.procedure);
    return link == nullptr ? Ref<RefCounted>() : Ref<RefCounted>::TryRetain(link->owner);
}

platform::Lock& HookTable::Lock() { return TheTable().lock; }

LinkPtr HookTable::FindLocked(win::Hwnd window, win::WndProc procedure) {
    const auto found = TheTable().windows.find(window);
    if (found == TheTable().windows.end()) return nullptr;
    for (const LinkPtr& link : found->second) {
        if (link->kind->procedure == procedure) return link;
    }
    return nullptr;
}

void HookTable::AddLocked(const LinkPtr& link) { TheTable().windows[link->window].push_back(link); }

void HookTable::UnlinkLocked(const LinkPtr& link, Doomed& doomed) {
    for (RefCounted* owner : link->released) doomed.push_back({link->window, link->kind, owner});
    link->released.clear();
    if (!link->linked.exchange(false)) return;
    const auto found = TheTable().windows.find(link->window);
    if (found == TheTable().windows.end()) return;
    std::erase(found->second, link);
    if (found->second.empty()) TheTable().windows.erase(found);
}

// The owner's hook forgets its window (it let go of it, or the window is gone).
void HookTable::ForgetLocked(const LinkPtr& link) {
    if (link->owner == nullptr) return;
    WindowHook& hook = link->kind->hookOf(*link->owner);
    if (hook.link_ == link) {
        hook.link_.reset();
        hook.target_.store(nullptr);
        hook.prev_.store(nullptr);
    }
    const std::lock_guard guard(link->ownerLock);
    link->owner = nullptr;
    link->ownerless.store(true);
}

// Links whose windows are gone without their procedure seeing it (someone had cut it out of the
// chain): their handles may come back for new windows. The window at hand is checked each time,
// every window once the attaches since the last sweep reach the number of windows in the table.
void HookTable::SweepLocked(win::Hwnd window, Doomed& doomed) {
    Table& table = TheTable();
    if (window != nullptr) DropIfGoneLocked(window, doomed);
    if (++table.attachesSinceSweep < table.windows.size()) return;
    table.attachesSinceSweep = 0;
    std::vector<win::Hwnd> windows;
    windows.reserve(table.windows.size());
    for (const auto& entry : table.windows) windows.push_back(entry.first);
    for (const win::Hwnd each : windows) DropIfGoneLocked(each, doomed);
}

// A window whose components are all gone runs what it ran before; a link with someone else's
// procedure above it stays and passes messages on.
void HookTable::LeaveLocked(win::Hwnd window, Doomed& doomed) {
    Table& table = TheTable();
    for (bool left = true; left;) {
        left = false;
        const auto found = table.windows.find(window);
        if (found == table.windows.end()) return;
        for (const LinkPtr& each : found->second) {
            for (RefCounted* owner : each->released) doomed.push_back({window, each->kind, owner});
            each->released.clear();
        }
        for (const LinkPtr& each : found->second) {
            if (each->owner != nullptr || CurrentProcedure(window, each->unicode) != each->kind->procedure) continue;
            // A refused restore leaves the link where it is, passing messages on.
            if (SetProcedure(window, each->prev, each->unicode) == nullptr) return;
            UnlinkLocked(LinkPtr(each), doomed);  // a copy: the element itself goes
            left = true;
            break;
        }
    }
}

void HookTable::RemoveProperties(const Doomed& components) {
    for (const DoomedComponent& component : components) {
        const char* property = component.kind->property;
        if (win::GetPropA(component.window, property) == component.owner) win::RemovePropA(component.window, property);
    }
}

void HookTable::Free(const Doomed& doomed) {
    RemoveProperties(doomed);
    for (const DoomedComponent& component : doomed) component.kind->destroy(*component.owner);
}

// The thread's windows go with it, without a message on every system: nothing else would free
// what was released on their links.
void HookTable::ThreadEnded(void* cache, bool threadEnds) {
    const std::unique_ptr<ThreadCache> cached(static_cast<ThreadCache*>(cache));  // freed last
    if (!threadEnds) return;
    platform::SetThreadValue(nullptr, &ThreadEnded);
    const std::uint32_t thread = win::GetCurrentThreadId();
    Doomed forgotten, doomed;
    {
        const std::lock_guard guard(TheTable().lock);
        std::vector<win::Hwnd> windows;
        for (const auto& [window, links] : TheTable().windows) {
            if (links.front()->thread == thread) windows.push_back(window);
        }
        for (const win::Hwnd window : windows) {
            for (const LinkPtr& link : TheTable().windows[window]) {
                if (link->owner != nullptr) forgotten.push_back({window, link->kind, link->owner});
                ForgetLocked(link);
            }
            LeaveLocked(window, doomed);
            const auto found = TheTable().windows.find(window);
            if (found == TheTable().windows.end()) continue;
            for (const LinkPtr& link : std::vector<LinkPtr>(found->second)) UnlinkLocked(link, doomed);
        }
    }
    RemoveProperties(forgotten);
    Free(doomed);
}

void HookTable::CacheLinksOfThisThread() {
    if (CacheOfThisThread() != nullptr) return;
    auto* const cache = new ThreadCache;
    platform::SetThreadValue(cache, &ThreadEnded);
    if (CacheOfThisThread() != cache) delete cache;  // no slot to be had: the thread goes without
}

unsigned int HookTable::ReleaseMessage() {
    static const unsigned int message = [] {
        const unsigned int registered = win::RegisterWindowMessageA("BrennickHookRelease");
        releaseMessage.store(registered);
        return registered;
    }();
    return message;
}

}  // namespace brennick::detail
