// The wheel report line the test window writes after a wheel turn, built the same way for every
// case so that its cost cancels out of the ratios.
#pragma once

#include <cstdint>

namespace brennick_bench {

struct ReportLine {
    char text[128];
};

// "hh:nn:ss WheelRotate ScrollV Left: Delta=d, Shift=s, X=x, Y=y" at the current local time.
ReportLine FormatWheelLine(std::int32_t delta, std::int32_t shift, std::int32_t x, std::int32_t y);

}  // namespace brennick_bench
