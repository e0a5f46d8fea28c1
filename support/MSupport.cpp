#include "support/MSupport.h"

#include <cstdio>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "support/Version.h"

namespace brennick::MSupport {

std::string FormatVersion(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", major, minor, revision);
    return text;
}

std::string AppVersion() {
    static std::string cache;
    if (cache.empty()) cache = FormatVersion(kVersionMajor, kVersionMinor, kVersionRevision);
    return cache;
}

std::int32_t GetWheelScrollLines() {
    std::int32_t lines = 0;
    // Deliberately unchecked: a failed call leaves 0, which leads to the legacy query.
    win::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines != 0) return lines;
    return GetLegacyWheelScrollLines();
}

std::int32_t GetLegacyWheelScrollLines() {
    const win::Hwnd wheelWindow = win::FindWindowA(MSH_WHEELMODULE_CLASS, MSH_WHEELMODULE_TITLE);
    if (wheelWindow == nullptr) return 0;
    const unsigned int message = win::RegisterWindowMessageA(MSH_SCROLL_LINES);
    if (message == 0) return 0;
    return static_cast<std::int32_t>(win::SendMessageA(wheelWindow, message, 0, 0));
}

Bool16 IsPointInWindow(win::Hwnd window, std::int32_t x, std::int32_t y) {
    win::Rect rect{};
    // Deliberately unchecked: a failed call leaves the zero rectangle.
    win::GetWindowRect(window, rect);
    const bool inside = rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
    return Bool16::From(inside);
}

}  // namespace brennick::MSupport
