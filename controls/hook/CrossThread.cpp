#include "controls/hook/CrossThread.h"

#include <algorithm>
#include <atomic>
#include <mutex>  // std::lock_guard
#include <vector>

#include "platform/Lock.h"
#include "platform/WindowSystem.h"

namespace brennick::detail::CrossThread {
namespace {

// Waiting until the window's thread takes it (taken out of the list), then running there, then done.
struct PendingCall {
    void (*call)(void*);
    void* context;
    win::Hwnd window;
    std::atomic<bool> done{false};
};

// The calls waiting now. The message's lParam names one; only an address found here is followed,
// so a message forged by another process runs nothing. The lock guards this list alone.
struct Pending {
    platform::Lock lock;
    std::vector<PendingCall*> calls;
};

// Never destroyed: a component may still call while static objects end.
Pending& ThePending() {
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): one list of pending calls per process
    static Pending* const pending = new Pending;
    return *pending;
}

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): registered once per process
std::atomic<unsigned int> callMessage{0};

unsigned int CallMessage() {
    static const unsigned int message = [] {
        const unsigned int registered = win::RegisterWindowMessageA("BrennickHookCall");
        callMessage.store(registered);
        return registered;
    }();
    return message;
}

// Takes the call that lParam names out of the list, if it is one for window.
PendingCall* Take(win::Hwnd window, win::LParam lParam) {
    Pending& pending = ThePending();
    const std::lock_guard guard(pending.lock);
    const auto found = std::find_if(pending.calls.begin(), pending.calls.end(), [&](const PendingCall* call) {
        return reinterpret_cast<win::LParam>(call) == lParam && call->window == window;
    });
    if (found == pending.calls.end()) return nullptr;
    PendingCall* const call = *found;
    pending.calls.erase(found);
    return call;
}

}  // namespace

bool Run(win::Hwnd window, void (*call)(void*), void* context) {
    const std::uint32_t thread = window == nullptr ? 0 : win::GetWindowThreadProcessId(window);
    if (thread == 0 || thread == win::GetCurrentThreadId()) {
        call(context);
        return true;
    }
    PendingCall pending{call, context, window};
    const unsigned int message = CallMessage();
    {
        const std::lock_guard guard(ThePending().lock);
        ThePending().calls.push_back(&pending);
    }
    if (message != 0) win::SendMessageA(window, message, 0, reinterpret_cast<win::LParam>(&pending));
    // Still listed: it never ran, and never will. Taken: it runs, or ran, on the window's thread,
    // whose handlers may have let SendMessage return early (ReplyMessage); the call and what it
    // refers to live in this frame, so it is waited for, serving what others send here meanwhile.
    if (Take(window, reinterpret_cast<win::LParam>(&pending)) != nullptr) return false;
    while (!pending.done.load(std::memory_order_acquire)) win::WaitForSentMessages();
    return true;
}

bool Serve(win::Hwnd window, unsigned int message, win::LParam lParam) {
    const unsigned int expected = callMessage.load();
    if (expected == 0 || message != expected) return false;
    PendingCall* const call = Take(window, lParam);
    if (call == nullptr) return false;
    call->call(call->context);
    call->done.store(true, std::memory_order_release);
    return true;
}

}  // namespace brennick::detail::CrossThread
