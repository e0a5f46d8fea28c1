#include "platform/ThreadExit.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <atomic>

namespace brennick::platform {

#if defined(_WIN32)

namespace {

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): set once, by the one table of hooks
std::atomic<void (*)(void*, bool)> exitCall{nullptr};

DWORD Slot();

// The values of a thread's running fiber end with the thread; those of a fiber deleted meanwhile
// are not the running fiber's.
void WINAPI RunAtExit(void* value) {
    const auto call = exitCall.load();
    if (value != nullptr && call != nullptr) call(value, FlsGetValue(Slot()) == value);
}

// Allocated on first use and never freed: the slot outlives every thread that uses it.
DWORD Slot() {
    static const DWORD slot = FlsAlloc(&RunAtExit);
    return slot;
}

}  // namespace

void* ThreadValue() noexcept {
    const DWORD slot = Slot();
    return slot == FLS_OUT_OF_INDEXES ? nullptr : FlsGetValue(slot);
}

void SetThreadValue(void* value, void (*atExit)(void*, bool)) noexcept {
    exitCall.store(atExit);
    const DWORD slot = Slot();
    if (slot != FLS_OUT_OF_INDEXES) FlsSetValue(slot, value);
}

#else

namespace {
thread_local void* threadValue = nullptr;
}

void* ThreadValue() noexcept { return threadValue; }
void SetThreadValue(void* value, void (*)(void*, bool)) noexcept { threadValue = value; }

#endif

}  // namespace brennick::platform
