// Intrusive reference counting: RefCounted holds the count, Ref<T> is the counted reference.
// Only Ref can add or drop a reference, so a count can never be released twice. The count is
// atomic: references may be copied and dropped on any thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace brennick {

class RefCounted {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;
    // Runs when the last reference is gone; frees the object unless a class defers that.
    virtual void LastReferenceGone() noexcept { delete this; }

private:
    template <class T>
    friend class Ref;

    void AddRef() noexcept { count_.fetch_add(1, std::memory_order_relaxed); }
    // Adds a reference unless the last one is already gone (the object is being destroyed).
    bool TryAddRef() noexcept {
        std::uint32_t count = count_.load(std::memory_order_relaxed);
        while (count != 0) {
            if (count_.compare_exchange_weak(count, count + 1, std::memory_order_acquire)) return true;
        }
        return false;
    }
    void Release() noexcept {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1) LastReferenceGone();
    }

    std::atomic<std::uint32_t> count_{0};
};

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}  // NOLINT: implicit, as for a plain pointer
    // A counted reference to an object known by its address (adds one to its count).
    static Ref Retain(T* object) { return Ref(object, true); }
    // The same for an object whose memory is known to be alive but whose last reference may be
    // gone (its destruction under way): then the result is empty.
    static Ref TryRetain(T* object) {
        return object != nullptr && static_cast<RefCounted*>(object)->TryAddRef() ? Ref(object, false) : Ref();
    }

    Ref(const Ref& other) : Ref(other.object_, true) {}
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() { Reset(); }

    // Drops this reference; the object ends with its last one.
    void Reset() noexcept {
        if (T* old = std::exchange(object_, nullptr)) static_cast<RefCounted*>(old)->Release();
    }

    T* Get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    T& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // The same reference as one to a class derived from T (the caller knows the object's class).
    template <class Derived>
    Ref<Derived> StaticCast() && noexcept {
        return Ref<Derived>::Adopt(static_cast<Derived*>(std::exchange(object_, nullptr)));
    }

private:
    template <class>
    friend class Ref;

    Ref(T* object, bool count) : object_(object) {
        if (object_ != nullptr && count) static_cast<RefCounted*>(object_)->AddRef();
    }
    static Ref Adopt(T* object) noexcept { return Ref(object, false); }

    T* object_ = nullptr;
};

// Creates an object and returns the first counted reference to it. Counted classes keep their
// constructors private and befriend this, so an object never lives outside a counted reference.
template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>::Retain(new T(std::forward<Args>(args)...));
}

}  // namespace brennick
