#include "app/WheelReport.h"

#include <cstdio>

#include "app/toolkit/Windows.h"

namespace brennick {

TimeOfDay LocalTimeOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

std::string WheelReportLine(TimeOfDay time, const char* panelLiteral, std::int32_t Delta, std::int32_t Shift,
                            std::int32_t X, std::int32_t Y) {
    char line[160];
    std::snprintf(line, sizeof line, "%02d:%02d:%02d%s%ld, Shift=%ld, X=%ld, Y=%ld", time.hour, time.minute,
                  time.second, panelLiteral, static_cast<long>(Delta), static_cast<long>(Shift),
                  static_cast<long>(X), static_cast<long>(Y));
    return line;
}

}  // namespace brennick
