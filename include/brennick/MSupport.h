// Small routines shared by the components and the test window.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <string>

#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>

namespace brennick::MSupport {

// Bits 0..15 and 16..31 of a 32-bit value, each read as a signed 16-bit number.
constexpr std::int16_t LoWord(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}
constexpr std::int16_t HiWord(std::int32_t value) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFFu);
}

constexpr std::int32_t MinOf(std::int32_t a, std::int32_t b) { return a <= b ? a : b; }

// low when value < low, else high when value > high, else value (low is tested first).
constexpr std::int32_t Clamp(std::int32_t low, std::int32_t value, std::int32_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// "major.minor.revision" with the patterns "0", "00" and "0000": 1, 0, 11 gives "1.00.0011".
std::string FormatVersion(std::int32_t major, std::int32_t minor, std::int32_t revision);

// The running program's version text, from its own file's version (major.minor.build.revision,
// shown as major.minor.revision), formatted once and then returned from a cache: "1.00.0011" in
// Brennick.exe, your program's version in yours, "0.00.0000" for a file without a version.
std::string AppVersion();

// The system's lines per wheel notch (SystemParametersInfoA, SPI_GETWHEELSCROLLLINES), passed on
// unchanged, -1 included; the legacy wheel window is asked only when the system says 0.
std::int32_t GetWheelScrollLines();
// The legacy wheel window's answer to MSH_SCROLL_LINES_MSG; 0 when there is no such window.
std::int32_t GetLegacyWheelScrollLines();

// True when the screen point lies in the window's rectangle (GetWindowRect, frame included), all
// four edges counted as inside. A handle that names no window leaves only (0, 0) inside.
Bool16 IsPointInWindow(win::WindowHandle window, std::int32_t x, std::int32_t y);

}  // namespace brennick::MSupport
