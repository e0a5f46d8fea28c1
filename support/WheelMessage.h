// Decoding of WM_MOUSEWHEEL, shared by the scroll-bar controller and the wheel hook.
#pragma once

#include <cstdint>

#include "platform/Win32Types.h"

namespace brennick {

struct WheelMessage {
    std::int32_t Delta = 0;  // whole notches, positive when the wheel turns toward the user
    std::int32_t Shift = 0;  // key and button state (MK_*)
    std::int32_t X = 0;      // pointer, screen coordinates
    std::int32_t Y = 0;
};

// Delta is -w / WHEEL_DELTA rounded to the nearest integer, halves to even, where w is the
// signed high word of wParam; Shift, X and Y are the sign-extended low/high words.
WheelMessage DecodeWheel(win::WParam wParam, win::LParam lParam);

// n / d rounded to the nearest integer, a quotient exactly halfway going to the even one (d > 0).
std::int32_t DivRoundHalfEven(std::int32_t n, std::int32_t d);

}  // namespace brennick
