// The test window's arithmetic, apart from any window: where a double-click or a wheel turn sends
// a bar, and the texts that report positions and wheel turns.
#pragma once

#include <cstdint>
#include <string>

namespace brennick::frmMainRules {

// Lines to scroll per wheel notch, read once at start-up; kWheelPageScroll means a page a notch.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): the program's setting
inline std::int32_t WheelScrollLines = 0;
inline constexpr std::int32_t kWheelPageScroll = -1;  // WHEEL_PAGESCROLL

// The nearest 32-bit integer, a value exactly halfway going to the even neighbour (100.5 -> 100,
// 101.5 -> 102); beyond the 32-bit range the nearest limit, and 0 for NaN. Written out rather
// than left to the floating-point rounding mode, which another party could have changed.
std::int32_t RoundHalfEven(double value);

// A quarter of a bar's maximum, where a double-click sends it: 402 gives 100, 406 gives 102.
std::int32_t QuarterOf(std::int32_t maximum);

// Where a wheel turn of Delta notches sends a vertical bar: a page a notch for kWheelPageScroll,
// else MinOf(lines, page) lines of smallChange each; held to min..max (not to the last position a
// full page allows: the bar itself stops there).
struct VerticalBar {
    std::int32_t value, min, max, smallChange, largeChange;
};
std::int32_t WheelScrollTarget(const VerticalBar& bar, std::int32_t Delta, std::int32_t linesPerNotch);

// "reported/held", as lblPosH and lblPosV show a position: 100/100.
std::string PositionText(std::int32_t reported, std::int32_t held);

// The wheel report line: "hh:nn:ss WheelRotate ScrollV Left: Delta=1, Shift=0, X=512, Y=384".
inline constexpr const char* kWheelReportLeft = " WheelRotate ScrollV Left: Delta=";
inline constexpr const char* kWheelReportRight = " WheelRotate ScrollV Right: Delta=";
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};
std::string WheelReportLine(TimeOfDay time, const char* panelLiteral, std::int32_t Delta, std::int32_t Shift,
                            std::int32_t X, std::int32_t Y);
// The local time of day now (defined with the test window, where the platform is).
TimeOfDay LocalTimeOfDay();

}  // namespace brennick::frmMainRules
