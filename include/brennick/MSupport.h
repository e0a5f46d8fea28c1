/// @file
/// MSupport, small routines shared by the components and the test window: words of a message
/// parameter, minimum and clamping, the wheel's lines and characters per notch, a point-in-window
/// test and the program's version text.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <string>

#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>

/// Small routines shared by the components and the test window. All of them may be called on
/// any thread.
namespace brennick::MSupport {

/// Bits 0..15 of value, read as a signed 16-bit number: 0x8000 to 0xFFFF give -32768 to -1.
constexpr std::int16_t LoWord(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}
/// Bits 16..31 of value, read as a signed 16-bit number: the same as shifting value right by
/// 16 with the sign copied in.
constexpr std::int16_t HiWord(std::int32_t value) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFFu);
}

/// The smaller of a and b (a when they are equal).
constexpr std::int32_t MinOf(std::int32_t a, std::int32_t b) { return a <= b ? a : b; }

/// low when value < low, else high when value > high, else value. low is tested first: when
/// low > high, every value below low gives low and every other value gives high.
constexpr std::int32_t Clamp(std::int32_t low, std::int32_t value, std::int32_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

/// "major.minor.revision" with the patterns "0", "00" and "0000" (at least that many digits,
/// zero-filled on the left; a longer number is written in full): 1, 0, 11 gives "1.00.0011" and
/// 12, 3, 456 gives "12.03.0456".
std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);

/// The running program's version text, from its own file's version resource
/// (major.minor.build.revision, shown as major.minor.revision by FormatVersion()), formatted
/// once and then returned from a cache: "1.00.0011" in Brennick.exe, your program's version in
/// yours, "0.00.0000" for a file without a version. The library's own version is
/// brennick::kLibraryVersion.
std::string AppVersion();

/// The system's lines per wheel notch (`SystemParametersInfoA`, `SPI_GETWHEELSCROLLLINES`),
/// passed on unchanged, -1 (`WHEEL_PAGESCROLL`: a page per notch) included; the legacy wheel
/// window is asked (GetLegacyWheelScrollLines()) only when the system says 0. Asked afresh on
/// every call: re-read it on `WM_SETTINGCHANGE`.
std::int32_t GetWheelScrollLines();
/// The system's characters per notch of the horizontal wheel (`SystemParametersInfoA`,
/// `SPI_GETWHEELSCROLLCHARS`), passed on unchanged, with the fallbacks of GetWheelScrollLines():
/// when the system says 0 (or has no such setting) the legacy wheel window's lines per notch
/// (GetLegacyWheelScrollLines()). Asked afresh on every call: re-read it on `WM_SETTINGCHANGE`.
std::int32_t GetWheelScrollChars();
/// The answer of the legacy wheel-support window (class "MouseZ", title "Magellan MSWHEEL") to
/// the registered message "MSH_SCROLL_LINES_MSG", unchanged; 0 when there is no such window or
/// the message cannot be registered.
std::int32_t GetLegacyWheelScrollLines();

/// kTrue when the screen point (x, y) lies in the window's rectangle (`GetWindowRect`, frame
/// included), all four edges counted as inside (the right and bottom ones too, although they lie
/// one pixel outside the window), else kFalse. A handle that names no window leaves only (0, 0)
/// inside.
Bool16 IsPointInWindow(win::WindowHandle window, std::int32_t x, std::int32_t y);

}  // namespace brennick::MSupport
