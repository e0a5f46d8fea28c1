/// @file
/// Intrusive reference counting: RefCounted holds the count, Ref is the counted reference and
/// MakeRef creates a counted object.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace brennick {

/// The base of the counted classes (CScrollBars, cSubClassWheel): holds the reference count.
///
/// Only Ref can add or drop a reference, so a count can never be released twice; the object is
/// deleted when its last Ref goes. The count is atomic: references may be copied and dropped on
/// any thread. Not copyable.
class RefCounted {
public:
    /// Not copyable: a counted object is shared through Ref, never copied.
    RefCounted(const RefCounted&) = delete;
    /// Not assignable, for the same reason.
    RefCounted& operator=(const RefCounted&) = delete;

protected:
    /// A count of 0: the first Ref (from MakeRef) makes it 1.
    RefCounted() = default;
    /// Runs when the object is freed.
    virtual ~RefCounted() = default;
    /// Runs when the last Ref goes, on the thread that dropped it: frees the object. A class may
    /// defer that (the components hand it to their window's thread, after the unhook).
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

/// A counted reference to an object of T, a class derived from RefCounted: the object lives as
/// long as a Ref to it does.
///
/// Copying a Ref adds one to the count, dropping one takes one away, and the last one to go
/// deletes the object (on the thread that drops it). Different Refs may be copied and dropped on
/// different threads at the same time; one Ref object is not for concurrent use.
template <class T>
class Ref {  // NOLINT(cppcoreguidelines-special-member-functions): one assignment, by value, copies and moves
public:
    /// An empty reference.
    Ref() = default;
    /// An empty reference, from `nullptr`.
    // cppcheck-suppress noExplicitConstructor ; implicit, as for a plain pointer
    Ref(std::nullptr_t) {}  // NOLINT: implicit, as for a plain pointer
    /// A counted reference to an object known by its address (adds one to its count); empty for
    /// null. The object must be alive, not under destruction: else see TryRetain().
    static Ref Retain(T* object) { return Ref(object, true); }
    /// As Retain(), for an object whose memory is known to be alive but whose last reference may
    /// be gone (its destruction under way): then the result is empty.
    static Ref TryRetain(T* object) {
        return object != nullptr && static_cast<RefCounted*>(object)->TryAddRef() ? Ref(object, false) : Ref();
    }

    /// A second reference to other's object (adds one to its count).
    Ref(const Ref& other) : Ref(other.object_, true) {}
    /// Takes other's reference over; other is empty afterwards.
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    /// Refers to other's object from now on and drops the reference held before (whose object
    /// may end here).
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    /// Drops the reference, as Reset() does.
    ~Ref() { Reset(); }

    /// Drops this reference, if any, and leaves this Ref empty; the object ends with its last
    /// one (a component then unhooks its window).
    void Reset() noexcept {
        if (T* old = std::exchange(object_, nullptr)) static_cast<RefCounted*>(old)->Release();
    }

    /// The object's address, uncounted; null for an empty reference.
    T* Get() const noexcept { return object_; }
    /// The object's members; the reference must not be empty.
    T* operator->() const noexcept { return object_; }
    /// The object; the reference must not be empty.
    T& operator*() const noexcept { return *object_; }
    /// Whether the reference names an object.
    explicit operator bool() const noexcept { return object_ != nullptr; }

    /// The same reference as one to Derived, a class derived from T (the caller knows the
    /// object's class), moved out: `std::move(ref).StaticCast<Derived>()` leaves ref empty and
    /// the count unchanged.
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

/// Creates a T from args and returns the first counted reference to it: the only way to create a
/// CScrollBars or a cSubClassWheel. Counted classes keep their constructors private and befriend
/// this, so an object never lives outside a counted reference.
template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>::Retain(new T(std::forward<Args>(args)...));
}

}  // namespace brennick
