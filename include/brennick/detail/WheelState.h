// What a component keeps of the two mouse wheels; internal, embedded by both components.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>

#include <brennick/Bool16.h>

namespace brennick::detail {

// Per wheel, indexed by its bar (SB_HORZ 0: WM_MOUSEHWHEEL, SB_VERT 1: WM_MOUSEWHEEL), whether it
// is reported and the part of a notch carried over; for both, the carry switch and the amount of
// the message reported last.
struct WheelState {
    Bool16 enabled[2];
    Bool16 carry;
    std::int32_t carried[2] = {};
    std::int32_t raw = 0;

    // Switched off, the carry drops what it held, so that switched on again it starts afresh.
    void SetCarry(Bool16 value) noexcept {
        carry = value;
        if (!value.IsNonZero()) carried[0] = carried[1] = 0;
    }
};

}  // namespace brennick::detail
