// The wheel report line: "hh:nn:ss WheelRotate ScrollV Left: Delta=1, Shift=0, X=512, Y=384".
#pragma once

#include <cstdint>
#include <string>

namespace brennick {

inline constexpr const char* kWheelReportLeft = " WheelRotate ScrollV Left: Delta=";
inline constexpr const char* kWheelReportRight = " WheelRotate ScrollV Right: Delta=";

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

TimeOfDay LocalTimeOfDay();

// panelLiteral: kWheelReportLeft or kWheelReportRight.
std::string WheelReportLine(TimeOfDay time, const char* panelLiteral, std::int32_t Delta, std::int32_t Shift,
                            std::int32_t X, std::int32_t Y);

}  // namespace brennick
