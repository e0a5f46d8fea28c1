#include "bench/ReportLine.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>

namespace brennick_bench {

ReportLine FormatWheelLine(std::int32_t delta, std::int32_t shift, std::int32_t x, std::int32_t y) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    ReportLine line{};
    std::snprintf(line.text, sizeof line.text, "%02u:%02u:%02u WheelRotate ScrollV Left: Delta=%ld, Shift=%ld, X=%ld, Y=%ld",
                  now.wHour, now.wMinute, now.wSecond, static_cast<long>(delta), static_cast<long>(shift),
                  static_cast<long>(x), static_cast<long>(y));
    return line;
}

}  // namespace brennick_bench
