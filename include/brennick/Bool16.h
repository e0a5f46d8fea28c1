// The 16-bit boolean of the components' interfaces: true is -1 (all bits set), false is 0.
// A type of its own, so that a C++ bool (whose true is 1) cannot be passed by accident.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>

namespace brennick {

class Bool16 {
public:
    constexpr Bool16() = default;
    constexpr explicit Bool16(std::int16_t bits) : bits_(bits) {}
    Bool16(bool) = delete;

    static constexpr Bool16 From(bool value) { return Bool16(value ? std::int16_t{-1} : std::int16_t{0}); }

    constexpr std::int16_t Bits() const { return bits_; }
    constexpr bool IsTrue() const { return bits_ == -1; }      // exactly true (-1)
    constexpr bool IsNonZero() const { return bits_ != 0; }    // any value other than false

    friend constexpr bool operator==(Bool16, Bool16) = default;

private:
    std::int16_t bits_ = 0;
};

inline constexpr Bool16 kTrue{std::int16_t{-1}};
inline constexpr Bool16 kFalse{std::int16_t{0}};

}  // namespace brennick
