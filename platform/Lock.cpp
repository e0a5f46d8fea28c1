#include "platform/Lock.h"

#include <brennick/detail/SpinLock.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <thread>
#endif

namespace brennick {

#if defined(_WIN32)

static_assert(sizeof(SRWLOCK) == sizeof(void*), "an SRWLOCK is one pointer");

namespace {
// The lock's storage is a pointer that the SRW functions own; SRWLOCK is a struct around it.
PSRWLOCK Srw(void*& state) noexcept { return reinterpret_cast<PSRWLOCK>(&state); }
void GiveUpTheProcessor() noexcept { SwitchToThread(); }
}  // namespace

platform::Lock::Lock() noexcept : state_(nullptr) {}  // SRWLOCK_INIT
void platform::Lock::lock() noexcept { AcquireSRWLockExclusive(Srw(state_)); }
void platform::Lock::unlock() noexcept { ReleaseSRWLockExclusive(Srw(state_)); }
void platform::Lock::lock_shared() noexcept { AcquireSRWLockShared(Srw(state_)); }
void platform::Lock::unlock_shared() noexcept { ReleaseSRWLockShared(Srw(state_)); }

#else

namespace {
void GiveUpTheProcessor() noexcept { std::this_thread::yield(); }
}  // namespace

platform::Lock::Lock() noexcept = default;
void platform::Lock::lock() noexcept { mutex_.lock(); }
void platform::Lock::unlock() noexcept { mutex_.unlock(); }
void platform::Lock::lock_shared() noexcept { mutex_.lock_shared(); }
void platform::Lock::unlock_shared() noexcept { mutex_.unlock_shared(); }

#endif

void detail::SpinLock::Wait() noexcept {
    while (taken_.load(std::memory_order_relaxed)) GiveUpTheProcessor();
}

}  // namespace brennick
