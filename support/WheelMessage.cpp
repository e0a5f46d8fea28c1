#include "support/WheelMessage.h"

#include "platform/Win32Constants.h"
#include <brennick/MSupport.h>

namespace brennick {

std::int32_t DivRoundHalfEven(std::int32_t n, std::int32_t d) {
    if (d <= 0) return 0;
    std::int32_t quotient = n / d;  // truncates toward zero
    const std::int64_t remainder = n % d;
    const std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const std::int32_t away = n < 0 ? -1 : 1;
    if (twice > d || (twice == d && quotient % 2 != 0)) quotient += away;
    return quotient;
}

WheelMessage DecodeWheel(win::WParam wParam, win::LParam lParam, WheelSense sense, bool carry, std::int32_t& carried) {
    const auto wide = static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam));
    const auto longParam = static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam));
    WheelMessage decoded;
    decoded.Raw = static_cast<std::int32_t>(sense) * MSupport::HiWord(wide);  // |Raw| <= 32768
    if (!carry) {
        decoded.Delta = DivRoundHalfEven(decoded.Raw, WHEEL_DELTA);
    } else {
        if ((carried < 0 && decoded.Raw > 0) || (carried > 0 && decoded.Raw < 0)) carried = 0;
        const std::int32_t total = carried + decoded.Raw;
        decoded.Delta = total / WHEEL_DELTA;
        carried = total % WHEEL_DELTA;
    }
    decoded.Shift = MSupport::LoWord(wide);
    decoded.X = MSupport::LoWord(longParam);
    decoded.Y = MSupport::HiWord(longParam);
    return decoded;
}

WheelMessage DecodeWheel(detail::WheelState& state, int bar, win::WParam wParam, win::LParam lParam) {
    const WheelMessage decoded =
        DecodeWheel(wParam, lParam, bar == SB_HORZ ? WheelSense::Right : WheelSense::TowardUser,
                    state.carry.IsNonZero(), state.carried[bar]);
    state.raw = decoded.Raw;
    return decoded;
}

}  // namespace brennick
