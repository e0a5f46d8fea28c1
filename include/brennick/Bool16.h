/// @file
/// Bool16, the 16-bit boolean of the components' interfaces, and its two values kTrue and kFalse.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>

namespace brennick {

/// The 16-bit boolean of the components' interfaces: true is -1 (all bits set, kTrue), false is 0
/// (kFalse).
///
/// A type of its own, so that a C++ `bool` (whose true is 1) cannot be passed by accident: make
/// one from a `bool` with From(). Any other 16-bit value can be held too, and the components read
/// it by one of two rules, named on each member that takes a Bool16: HVisible and VVisible show a
/// bar only for exactly -1 (IsTrue()); every other flag takes any non-zero value as true
/// (IsNonZero()).
class Bool16 {
public:
    /// False (0).
    constexpr Bool16() = default;
    /// Holds bits as they are: `Bool16{std::int16_t{1}}` is non-zero but not true.
    constexpr explicit Bool16(std::int16_t bits) : bits_(bits) {}
    /// Deleted: a C++ `bool` converts with From() only.
    Bool16(bool) = delete;

    /// kTrue (-1) for true, kFalse (0) for false.
    static constexpr Bool16 From(bool value) { return Bool16(value ? std::int16_t{-1} : std::int16_t{0}); }

    /// The 16 bits held, as a signed number.
    constexpr std::int16_t Bits() const { return bits_; }
    /// Whether the value is exactly true (-1).
    constexpr bool IsTrue() const { return bits_ == -1; }  // exactly true (-1)
    /// Whether the value is anything other than false (0).
    constexpr bool IsNonZero() const { return bits_ != 0; }  // any value other than false

    /// Compares the bits: `Bool16{std::int16_t{1}} != kTrue`.
    friend constexpr bool operator==(Bool16, Bool16) = default;

private:
    std::int16_t bits_ = 0;
};

/// True: -1, all 16 bits set.
inline constexpr Bool16 kTrue{std::int16_t{-1}};
/// False: 0.
inline constexpr Bool16 kFalse{std::int16_t{0}};

}  // namespace brennick
