#include <brennick/MSupport.h>

#include <string>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::MSupport {

std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision) {
    // Zero-filled to at least width characters after the sign, as printf's %0*ld does.
    const auto filled = [](std::int32_t value, std::size_t width) {
        std::string digits = std::to_string(value);
        if (digits.size() < width) digits.insert(value < 0 ? 1U : 0U, width - digits.size(), '0');
        return digits;
    };
    return filled(major, 0) + "." + filled(minor, 2) + "." + filled(revision, 4);
}

std::string AppVersion() {
    static const std::string cache = [] {
        std::uint16_t parts[4] = {};
        win::GetProgramFileVersion(parts);  // a file without a version leaves zeros
        return FormatVersion(parts[0], parts[1], parts[3]);
    }();
    return cache;
}

namespace {

// A wheel setting of the system, passed on unless it reads 0; then the legacy window's answer.
std::int32_t WheelSetting(unsigned int action) {
    std::int32_t amount = 0;
    // Deliberately unchecked: a failed call leaves 0, which leads to the legacy query.
    win::SystemParametersInfoA(action, 0, &amount, 0);
    if (amount != 0) return amount;
    return GetLegacyWheelScrollLines();
}

}  // namespace

std::int32_t GetWheelScrollLines() { return WheelSetting(SPI_GETWHEELSCROLLLINES); }

std::int32_t GetWheelScrollChars() { return WheelSetting(SPI_GETWHEELSCROLLCHARS); }

std::int32_t GetLegacyWheelScrollLines() {
    const win::Hwnd wheelWindow = win::FindWindowA(MSH_WHEELMODULE_CLASS, MSH_WHEELMODULE_TITLE);
    if (wheelWindow == nullptr) return 0;
    const unsigned int message = win::RegisterWindowMessageA(MSH_SCROLL_LINES);
    if (message == 0) return 0;
    return static_cast<std::int32_t>(win::SendMessageA(wheelWindow, message, 0, 0));
}

Bool16 IsPointInWindow(win::WindowHandle window, std::int32_t x, std::int32_t y) {
    win::Rect rect{};
    // Deliberately unchecked: a failed call leaves the zero rectangle.
    win::GetWindowRect(window, rect);
    const bool inside = rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
    return Bool16::From(inside);
}

}  // namespace brennick::MSupport
