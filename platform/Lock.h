// The library's locks. Lock is a reader-writer lock of the system's own: an SRWLOCK on Windows, so
// the library needs no threading runtime beyond kernel32 (mingw-w64's win32-thread compilers have
// no std::mutex); std::shared_mutex on the host. Usable with std::lock_guard, std::unique_lock and
// std::shared_lock.
#pragma once

#if !defined(_WIN32)
#include <shared_mutex>
#endif

namespace brennick::platform {

class Lock {
public:
    Lock() noexcept;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() = default;

    void lock() noexcept;
    void unlock() noexcept;
    void lock_shared() noexcept;
    void unlock_shared() noexcept;

private:
#if defined(_WIN32)
    void* state_;  // an SRWLOCK, which is one pointer that starts out null
#else
    std::shared_mutex mutex_;
#endif
};

}  // namespace brennick::platform
