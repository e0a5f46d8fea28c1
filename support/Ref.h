// Intrusive reference counting: RefCounted holds the count, Ref<T> is the counted reference.
// Only Ref can add or drop a reference, so a count can never be released twice.
#pragma once

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

private:
    template <class T>
    friend class Ref;

    void AddRef() noexcept { ++count_; }
    void Release() noexcept {
        if (--count_ == 0) delete this;
    }

    std::uint32_t count_ = 0;
};

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    // A counted reference to an object known by its address (adds one to its count).
    static Ref Retain(T* object) { return Ref(object); }

    Ref(const Ref& other) : Ref(other.object_) {}
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

private:
    explicit Ref(T* object) : object_(object) {
        if (object_) static_cast<RefCounted*>(object_)->AddRef();
    }

    T* object_ = nullptr;
};

// Creates an object and returns the first counted reference to it. Counted classes keep their
// constructors private and befriend this, so an object never lives outside a counted reference.
template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>::Retain(new T(std::forward<Args>(args)...));
}

}  // namespace brennick
