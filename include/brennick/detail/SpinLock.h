// A lock for a few instructions that call nothing; internal to the library.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <atomic>

namespace brennick::detail {

// One atomic exchange to take it and a store to let it go; who finds it taken gives up the
// processor until it is free. Usable with std::lock_guard.
class SpinLock {
public:
    void lock() noexcept {
        while (taken_.exchange(true, std::memory_order_acquire)) Wait();
    }
    void unlock() noexcept { taken_.store(false, std::memory_order_release); }

private:
    void Wait() noexcept;  // until the lock looks free
    std::atomic<bool> taken_{false};
};

}  // namespace brennick::detail
