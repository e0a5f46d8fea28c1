#include "app/frmMainRules.h"

#include <cmath>
#include <string>
#include <limits>

#include <brennick/MSupport.h>
#include <brennick/Saturating.h>

namespace brennick::frmMainRules {

std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = (std::numeric_limits<std::int32_t>::min)();
    constexpr double highest = (std::numeric_limits<std::int32_t>::max)();
    if (value <= lowest) return (std::numeric_limits<std::int32_t>::min)();
    if (value >= highest) return (std::numeric_limits<std::int32_t>::max)();
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t QuarterOf(std::int32_t maximum) { return RoundHalfEven(maximum / 4.0); }

std::int32_t WheelScrollTarget(const VerticalBar& bar, std::int32_t Delta, std::int32_t linesPerNotch) {
    const std::int32_t step = linesPerNotch == kWheelPageScroll
                                  ? bar.largeChange
                                  : SatMul(MSupport::MinOf(linesPerNotch, bar.largeChange), bar.smallChange);
    return MSupport::Clamp(bar.min, SatAdd(bar.value, SatMul(Delta, step)), bar.max);
}

std::string PositionText(std::int32_t reported, std::int32_t held) {
    return std::to_string(reported) + "/" + std::to_string(held);
}

std::string WheelReportLine(TimeOfDay time, const char* panelLiteral, std::int32_t Delta, std::int32_t Shift,
                            std::int32_t X, std::int32_t Y) {
    const auto twoDigits = [](int part) {  // 00 to 99
        return std::string{static_cast<char>('0' + part / 10 % 10), static_cast<char>('0' + part % 10)};
    };
    return twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second) + panelLiteral +
           std::to_string(Delta) + ", Shift=" + std::to_string(Shift) + ", X=" + std::to_string(X) +
           ", Y=" + std::to_string(Y);
}

}  // namespace brennick::frmMainRules
