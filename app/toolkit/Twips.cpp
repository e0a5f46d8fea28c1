#include "app/toolkit/Twips.h"

#include <cmath>
#include <limits>

#include "app/toolkit/Handles.h"

namespace brennick::ui {

int PixelsFromTwips(double twips, int dpi) {
    const double pixels = std::round(twips * dpi / kTwipsPerInch);
    if (std::isnan(pixels)) return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (pixels <= lowest) return std::numeric_limits<int>::min();
    if (pixels >= highest) return std::numeric_limits<int>::max();
    return static_cast<int>(pixels);
}

Dpi DpiOf(HWND window) {
    const WindowDc dc = GetWindowDc(window);
    if (dc.Get() == nullptr) return {};
    return {GetDeviceCaps(dc.Get(), LOGPIXELSX), GetDeviceCaps(dc.Get(), LOGPIXELSY)};
}

}  // namespace brennick::ui
