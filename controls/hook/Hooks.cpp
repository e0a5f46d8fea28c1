#include "controls/hook/Hooks.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>         // std::lock_guard
#include <shared_mutex>  // std::shared_lock
#include <unordered_map>
#include <vector>

#include "controls/hook/CrossThread.h"
#include "platform/Boundary.h"
#include "platform/Lock.h"
#include "platform/ThreadExit.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::detail {
namespace {

// Every link of the process, by window: finding one costs the same for one hooked window and for
// ten thousand. The lock guards the map and the count; it is never held while a window procedure
// or an owner's handler runs.
struct Table {
    platform::Lock lock;
    std::unordered_map<win::Hwnd, std::vector<LinkPtr>> windows;  // each window's links, oldest first
    std::size_t attachesSinceSweep = 0;
};

// Never destroyed: a component may still let go of its window while static objects end.
Table& TheTable() {
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): one table of hooks per process
    static Table* const table = new Table;
    return *table;
}

// The link of kind on window (its procedure names the kind), or null.
LinkPtr Find(win::Hwnd window, win::WndProc procedure) {
    Table& table = TheTable();
    const std::shared_lock guard(table.lock);
    const auto found = table.windows.find(window);
    if (found == table.windows.end()) return nullptr;
    const auto link =
        std::ranges::find_if(found->second, [procedure](const LinkPtr& l) { return l->kind.procedure == procedure; });
    return link != found->second.end() ? *link : nullptr;
}

// The windows with links, those of one thread or (thread 0) all.
std::vector<win::Hwnd> Windows(std::uint32_t thread) {
    Table& table = TheTable();
    const std::shared_lock guard(table.lock);
    std::vector<win::Hwnd> windows;
    for (const auto& [window, links] : table.windows) {
        if (thread == 0 || links.front()->thread == thread) windows.push_back(window);
    }
    return windows;
}

win::WndProc CurrentProcedure(win::Hwnd window, bool unicode) {
    return unicode ? win::GetWindowProcedureW(window) : win::GetWindowProcedureA(window);
}

win::WndProc SetProcedure(win::Hwnd window, win::WndProc procedure, bool unicode) {
    return unicode ? win::SetWindowProcedureW(window, procedure) : win::SetWindowProcedureA(window, procedure);
}

// Links that pass messages on leave the chain while one of them is on top: the window runs what
// it ran before. A refused restore leaves the link where it is.
void LeaveFromTheTop(win::Hwnd window, std::vector<LinkPtr>& links) {
    for (bool left = true; left;) {
        left = false;
        for (std::size_t i = 0; i < links.size(); ++i) {
            const HookLink& link = *links[i];
            if (link.State() != LinkState::PassingThrough ||
                CurrentProcedure(window, link.unicode) != link.kind.procedure) {
                continue;
            }
            if (SetProcedure(window, link.prev, link.unicode) == nullptr) return;
            links[i]->Unlink();
            links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
            left = true;
            break;
        }
    }
}

// The one way a hook ends. Under the table's lock, window's links settle: the component letGo
// (if any) lets go of its link; on the window's own thread, or once the window is gone, the
// components released on its links are taken to be freed and the links that pass messages on
// leave the chain from the top; a window that is gone loses every link, and its components
// forget it. Outside the lock, each property that still names a component that let go is
// removed, and the released components are freed.
void End(win::Hwnd window, RefCounted* letGo, bool gone) {
    struct Ending {
        const HookKind* kind;
        RefCounted* owner;
        bool free;
    };
    std::vector<Ending> endings;
    const bool here = gone || win::GetWindowThreadProcessId(window) == win::GetCurrentThreadId();
    {
        Table& table = TheTable();
        const std::lock_guard guard(table.lock);
        const auto found = table.windows.find(window);
        if (found == table.windows.end()) return;
        std::vector<LinkPtr>& links = found->second;
        for (const LinkPtr& link : links) {
            using enum LinkState;
            if (letGo != nullptr && link->Become({Attached, letGo}, {PassingThrough})) {
                endings.push_back({&link->kind, letGo, false});
            }
            if (!here) continue;
            if (const auto held = gone ? link->Become({Attached}, {PassingThrough}) : std::nullopt) {
                endings.push_back({&link->kind, held->owner, false});
            }
            if (const auto held = link->Become({Released}, {PassingThrough}))
                endings.push_back({&link->kind, held->owner, true});
        }
        if (here) LeaveFromTheTop(window, links);
        if (gone) {
            for (const LinkPtr& link : links) link->Unlink();
            links.clear();
        }
        if (links.empty()) table.windows.erase(found);
    }
    for (const Ending& ending : endings) {
        if (win::GetPropA(window, ending.kind->property) == ending.owner)
            win::RemovePropA(window, ending.kind->property);
    }
    for (const Ending& ending : endings) {
        if (ending.free) ending.kind->destroy(*ending.owner);
    }
}

// Links of windows gone without their procedure seeing it (someone had cut it out of the chain)
// end at attaches: every window once the attaches since the last sweep reach the number of
// windows in the table, so the work per attach stays constant.
void Sweep() {
    for (const win::Hwnd window : Windows(0)) {
        if (!win::IsWindow(window)) End(window, nullptr, true);
    }
}

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): registered once per process
std::atomic<unsigned int> releaseMessage{0};

// The private message that asks a window's thread to finish a release.
unsigned int ReleaseMessage() {
    static const unsigned int message = [] {
        const unsigned int registered = win::RegisterWindowMessageA("BrennickHookRelease");
        releaseMessage.store(registered);
        return registered;
    }();
    return message;
}

// The links that a thread's last messages went through: a message through one of them finds it
// without the table's lock, which every thread's messages would otherwise share. An entry
// stands while its link is linked (a window has one link of each kind, and a link that ended
// never comes back); the links of a live window end only on its own thread.
struct Served;
struct ThreadCache {
    std::array<LinkPtr, 4> links;
    std::size_t next = 0;            // the entry to replace next
    const Served* served = nullptr;  // the innermost message a component serves on this thread
};

ThreadCache* CacheOfThisThread() { return static_cast<ThreadCache*>(platform::ThreadValue()); }

// A message that a component serves, while it runs: pushes and queries the component makes
// meanwhile go to its window. Kept in the thread's cache, so only this thread reads it; a thread
// without a cache keeps none (its components' pushes walk the chain).
struct Served {
    Served(ThreadCache* thread, const RefCounted& component, const HookContext& message)
        : cache(thread), owner(component), context(message), outer(thread != nullptr ? thread->served : nullptr) {
        if (cache != nullptr) cache->served = this;
    }
    ~Served() {
        if (cache != nullptr) cache->served = outer;
    }
    Served(const Served&) = delete;
    Served& operator=(const Served&) = delete;
    ThreadCache* const cache;
    const RefCounted& owner;
    const HookContext context;
    const Served* const outer;
};

LinkPtr LinkOfMessage(ThreadCache* cache, win::Hwnd window, const HookKind& kind) {
    if (cache != nullptr) {
        const auto cached = std::ranges::find_if(cache->links, [&](const LinkPtr& link) {
            return link != nullptr && link->window == window && &link->kind == &kind &&
                   link->State() != LinkState::Unlinked;
        });
        if (cached != cache->links.end()) return *cached;
    }
    LinkPtr link = Find(window, kind.procedure);
    if (cache != nullptr && link != nullptr) {
        cache->links[cache->next] = link;
        cache->next = (cache->next + 1) % cache->links.size();
    }
    return link;
}

void ThreadEnded(void* value, bool threadEnds);

// The calling thread keeps the links its messages go through, from its first hooked window on.
void KeepThreadCache() {
    if (CacheOfThisThread() != nullptr) return;
    auto* const cache = new ThreadCache;
    platform::SetThreadValue(cache, &ThreadEnded);
    if (CacheOfThisThread() != cache) delete cache;  // no slot to be had: the thread goes without
}

// On a thread as it ends, with its cache: its windows go with it, and nothing else would free
// what was released on their links. A fiber deleted while its thread goes on takes its cache
// only; the fiber that deletes it keeps one in its place while the thread has hooked windows, so
// that the thread's end is still seen.
void ThreadEnded(void* value, bool threadEnds) {
    // cppcheck-suppress unreadVariable ; it owns the cache, which goes with it
    const std::unique_ptr<ThreadCache> cache(static_cast<ThreadCache*>(value));
    if (!threadEnds) {
        if (!Windows(win::GetCurrentThreadId()).empty()) KeepThreadCache();
        return;
    }
    platform::SetThreadValue(nullptr, &ThreadEnded);
    for (const win::Hwnd window : Windows(win::GetCurrentThreadId())) End(window, nullptr, true);
}

win::LResult Forward(const HookLink& link, win::Hwnd window, unsigned int message, win::WParam wParam,
                     win::LParam lParam) {
    // A window destroyed while its message was in an owner's hands gets nothing more.
    if (link.State() == LinkState::Unlinked && !win::IsWindow(window)) return 0;
    return link.unicode ? win::CallWindowProcW(link.prev, window, message, wParam, lParam)
                        : win::CallWindowProcA(link.prev, window, message, wParam, lParam);
}

// Under the table's lock: the link of kind on window, new or taken over from a component that let
// go, now serving owner, or null when the window refuses it. sweep: whether a sweep is due.
LinkPtr Join(win::Hwnd window, const HookKind& kind, RefCounted& owner, bool& sweep) {
    LinkPtr link;
    Table& table = TheTable();
    const std::lock_guard guard(table.lock);
    sweep = ++table.attachesSinceSweep >= table.windows.size();
    if (sweep) table.attachesSinceSweep = 0;
    const auto found = table.windows.find(window);
    if (found != table.windows.end()) {
        const auto same = std::ranges::find_if(
            found->second, [&](const LinkPtr& each) { return each->kind.procedure == kind.procedure; });
        if (same != found->second.end()) link = *same;
    }
    // Another component of the kind serves the window (its property was taken away), or one
    // let go of elsewhere waits there to be freed: no new one.
    if (link != nullptr && link->State() != LinkState::PassingThrough) return nullptr;
    if (!win::SetPropA(window, kind.property, &owner)) return nullptr;
    if (link != nullptr) {
        link->Become({LinkState::PassingThrough}, {LinkState::Attached, &owner});  // taken over
    } else {
        const bool unicode = win::IsWindowUnicode(window);
        const win::WndProc previous = SetProcedure(window, kind.procedure, unicode);
        if (previous == nullptr || previous == kind.procedure) {
            // Not replaced, or a stray copy of our procedure was on top: forwarding there would
            // come back here. Leave no property that would outlive this component.
            if (previous != nullptr) SetProcedure(window, previous, unicode);
            win::RemovePropA(window, kind.property);
            return nullptr;
        }
        link = std::make_shared<HookLink>(window, win::GetCurrentThreadId(), kind, previous, unicode, owner);
        table.windows[window].push_back(link);
    }
    return link;
}

}  // namespace

void Hooks::Attach(WindowHook& hook, win::Hwnd window, const HookKind& kind, RefCounted& owner) {
    if (!win::IsWindow(window) || win::GetWindowThreadProcessId(window) != win::GetCurrentThreadId()) return;
    // One window per component while that window exists; one that went unseen ends here.
    if (const LinkPtr held = hook.Link(); held != nullptr && held->ServedBy(owner)) {
        if (win::IsWindow(held->window)) return;
        End(held->window, nullptr, true);
    }
    End(window, nullptr, false);  // releases that other threads left to this one end first
    if (win::GetPropA(window, kind.property) != nullptr) return;  // this or another component is there
    bool sweep = false;
    const LinkPtr link = Join(window, kind, owner, sweep);
    if (sweep) Sweep();
    if (link == nullptr) return;
    hook.Link(link);
    KeepThreadCache();
}

void Hooks::Detach(const WindowHook& hook, RefCounted& owner) {
    const LinkPtr link = hook.Link();
    if (link != nullptr) End(link->window, &owner, !win::IsWindow(link->window));
}

void Hooks::Release(const WindowHook& hook, const HookKind& kind, RefCounted& owner) noexcept {
    const LinkPtr link = hook.Link();
    if (link == nullptr || !link->Become({LinkState::Attached, &owner}, {LinkState::Released, &owner})) {
        return kind.destroy(owner);  // it serves no window
    }
    // It waits on its link now, to be freed on the window's thread.
    const win::Hwnd window = link->window;
    const std::uint32_t thread = win::GetWindowThreadProcessId(window);
    if (thread == 0 || thread == win::GetCurrentThreadId()) return End(window, nullptr, thread == 0);
    // Not posted because the window is gone: no message will come.
    if (!win::PostMessageA(window, ReleaseMessage(), 0, 0) && !win::IsWindow(window)) End(window, nullptr, true);
}

win::LResult Hooks::Dispatch(const HookKind& kind, win::Hwnd window, unsigned int message, win::WParam wParam,
                             win::LParam lParam) noexcept {
    return platform::AtBoundary([&]() -> win::LResult {
        if (CrossThread::Serve(window, message, lParam)) return 0;
        ThreadCache* const cache = CacheOfThisThread();
        const LinkPtr link = LinkOfMessage(cache, window, kind);
        // Our procedure on a window we hold no link for: only a copy someone else kept and called
        // after it left can come here. It knows nowhere to forward.
        if (link == nullptr) {
            return win::IsWindowUnicode(window) ? win::DefWindowProcW(window, message, wParam, lParam)
                                                : win::DefWindowProcA(window, message, wParam, lParam);
        }
        const unsigned int release = releaseMessage.load();
        const bool ours = release != 0 && message == release;  // for every link of the window: the way out does it
        const Ref<RefCounted> owner = ours ? Ref<RefCounted>() : link->Serving();  // goes last: its end may detach it
        std::optional<win::LResult> result;
        if (ours) result = 0;
        if (!result && owner) {
            const Served served(cache, *owner, HookContext{window, link.get()});
            result = kind.serve(*owner, served.context, message, wParam, lParam);
        }
        if (!result) result = Forward(*link, window, message, wParam, lParam);
        // The window's own procedure has seen its last message: the window is gone when this returns.
        if (message == WM_NCDESTROY) {
            End(window, nullptr, true);
        } else if (ours || link->State() != LinkState::Attached) {
            End(window, nullptr, false);
        }
        return *result;
    });
}

Ref<RefCounted> Hooks::Owner(win::Hwnd window, const HookKind& kind) {
    const LinkPtr link = Find(window, kind.procedure);
    return link == nullptr ? Ref<RefCounted>() : link->Serving();
}

win::Hwnd Hooks::PushTarget(const WindowHook& hook, const RefCounted& owner) {
    const LinkPtr link = hook.Link();
    if (link == nullptr || !link->ServedBy(owner)) return nullptr;
    const win::Hwnd window = link->window;
    // The window is provably the one hooked while the chain from its top down to the link runs
    // through our links only (only they can have put ours there). Below someone else's procedure
    // the window's property must still name owner: a reused handle gets nothing.
    win::WndProc procedure = CurrentProcedure(window, link->unicode);
    for (int hops = 0; procedure != link->kind.procedure && hops < 2; ++hops) {
        const LinkPtr above = Find(window, procedure);
        if (above == nullptr) break;
        procedure = above->prev;
    }
    if (procedure == link->kind.procedure) return window;
    return win::GetPropA(window, link->kind.property) == &owner ? window : nullptr;
}

win::Hwnd Hooks::ServedWindow(const RefCounted& owner) noexcept {
    const ThreadCache* const cache = CacheOfThisThread();
    for (const Served* served = cache != nullptr ? cache->served : nullptr; served != nullptr; served = served->outer) {
        if (&served->owner == &owner) {
            return served->context.link->State() == LinkState::Attached ? served->context.window : nullptr;
        }
    }
    return nullptr;
}

}  // namespace brennick::detail
