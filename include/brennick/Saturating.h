/// @file
/// 32-bit signed sums, differences and products that stop at the limits instead of overflowing,
/// for scroll positions worked out in wheel and key handlers.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <limits>

namespace brennick {

/// value limited to the 32-bit signed range: `INT32_MIN` below it, `INT32_MAX` above it.
constexpr std::int32_t Saturate(std::int64_t value) {
    constexpr std::int64_t lo = (std::numeric_limits<std::int32_t>::min)();  // parenthesised: the SDK's
    constexpr std::int64_t hi = (std::numeric_limits<std::int32_t>::max)();  // min/max macros stay out
    return static_cast<std::int32_t>(value < lo ? lo : (value > hi ? hi : value));
}

/// a + b, stopping at `INT32_MIN` and `INT32_MAX` instead of overflowing.
constexpr std::int32_t SatAdd(std::int32_t a, std::int32_t b) { return Saturate(std::int64_t{a} + std::int64_t{b}); }

/// a - b, stopping at `INT32_MIN` and `INT32_MAX` instead of overflowing.
constexpr std::int32_t SatSub(std::int32_t a, std::int32_t b) { return Saturate(std::int64_t{a} - std::int64_t{b}); }

/// a * b, stopping at `INT32_MIN` and `INT32_MAX` instead of overflowing.
constexpr std::int32_t SatMul(std::int32_t a, std::int32_t b) { return Saturate(std::int64_t{a} * std::int64_t{b}); }

}  // namespace brennick
