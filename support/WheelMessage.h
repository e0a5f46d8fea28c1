// Decoding of WM_MOUSEWHEEL and WM_MOUSEHWHEEL, shared by the scroll-bar controller and the wheel hook.
#pragma once

#include <cstdint>

#include <brennick/Win32Types.h>
#include <brennick/detail/WheelState.h>

namespace brennick {

struct WheelMessage {
    std::int32_t Delta = 0;  // whole notches in the event's sense
    std::int32_t Shift = 0;  // key and button state (MK_*)
    std::int32_t X = 0;      // pointer, screen coordinates
    std::int32_t Y = 0;
    std::int32_t Raw = 0;  // the message's own amount in the event's sense, WHEEL_DELTA (120) a notch
};

// Which way a wheel's Delta counts: the vertical wheel's Delta is positive toward the user (the
// opposite of the message's signed amount), the horizontal wheel's positive to the right.
enum class WheelSense : std::int8_t { TowardUser = -1, Right = 1 };

// One message of one wheel. Without carry the message's amount is rounded to the nearest notch,
// halves to even, and carried is left alone (the owner clears it when it switches carry off).
// With carry it joins carried (what earlier messages left short of a notch, in the event's sense,
// |carried| < 120): the message reports the whole notches the sum has reached
// and carried keeps the rest; a turn the other way starts afresh.
WheelMessage DecodeWheel(win::WParam wParam, win::LParam lParam, WheelSense sense, bool carry, std::int32_t& carried);

// One message of one wheel of a component (bar: SB_HORZ for WM_MOUSEHWHEEL, SB_VERT for
// WM_MOUSEWHEEL): decoded with the component's carry and that wheel's part of a notch, and kept
// as the component's raw amount.
WheelMessage DecodeWheel(detail::WheelState& state, int bar, win::WParam wParam, win::LParam lParam);

// n / d rounded to the nearest integer, a quotient exactly halfway going to the even one (d > 0).
std::int32_t DivRoundHalfEven(std::int32_t n, std::int32_t d);

}  // namespace brennick
