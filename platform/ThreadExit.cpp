#include "platform/ThreadExit.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <atomic>

namespace brennick::platform {

#if defined(_WIN32)

namespace {

std::atomic<void (*)(void*)> exitCall{nullptr};

void WINAPI RunAtExit(void* value) {
    const auto call = exitCall.load();
    if (value != nullptr && call != nullptr) call(value);
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

void SetThreadValue(void* value, void (*atExit)(void*)) noexcept {
    exitCall.store(atExit);
    const DWORD slot = Slot();
    if (slot != FLS_OUT_OF_INDEXES) FlsSetValue(slot, value);
}

#else

namespace {
thread_local void* threadValue = nullptr;
}

void* ThreadValue() noexcept { return threadValue; }
void SetThreadValue(void* value, void (*)(void*)) noexcept { threadValue = value; }

#endif

}  // namespace brennick::platform
