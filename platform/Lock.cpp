#include "platform/Lock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <thread>
#endif

namespace brennick::platform {

#if defined(_WIN32)

static_assert(sizeof(SRWLOCK) == sizeof(void*), "an SRWLOCK is one pointer");

namespace {
// The lock's storage is a pointer that the SRW functions own; SRWLOCK is a struct around it.
PSRWLOCK Srw(void*& state) noexcept { return reinterpret_cast<PSRWLOCK>(&state); }
}  // namespace

Lock::Lock() noexcept : state_(nullptr) {}  // SRWLOCK_INIT
void Lock::lock() noexcept { AcquireSRWLockExclusive(Srw(state_)); }
void Lock::unlock() noexcept { ReleaseSRWLockExclusive(Srw(state_)); }
void Lock::lock_shared() noexcept { AcquireSRWLockShared(Srw(state_)); }
void Lock::unlock_shared() noexcept { ReleaseSRWLockShared(Srw(state_)); }

void SpinLock::Wait() noexcept {
    while (taken_.load(std::memory_order_relaxed)) SwitchToThread();
}

#else

Lock::Lock() noexcept = default;
void Lock::lock() noexcept { mutex_.lock(); }
void Lock::unlock() noexcept { mutex_.unlock(); }
void Lock::lock_shared() noexcept { mutex_.lock_shared(); }
void Lock::unlock_shared() noexcept { mutex_.unlock_shared(); }

void SpinLock::Wait() noexcept {
    while (taken_.load(std::memory_order_relaxed)) std::this_thread::yield();
}

#endif

}  // namespace brennick::platform
