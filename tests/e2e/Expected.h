// What the test window must show, worked out from its documented start values: bars 0..400 with a
// page of 201 and a line of 5 at position 100; pictures stored at 210, 2160 twips, moving one twip
// per scroll unit; 15 twips to the pixel at 96 DPI.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace brennick::e2e {

inline constexpr int kOriginLeft = 210 + 100;   // twips
inline constexpr int kOriginTop = 2160 + 100;   // twips
inline constexpr int kHighestPosition = 400 - 201 + 1;
inline constexpr std::uint32_t kLeftHighlight = 0x00FFCCAA;
inline constexpr std::uint32_t kRightHighlight = 0x00AACCFF;
inline constexpr std::uint32_t kWindowBackground = 0x80000005;
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

inline int Pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// Where a picture stands, in pixels inside its panel, when its bar is at position.
inline int PictureLeftAt(int position) { return Pixels(kOriginLeft - position); }
inline int PictureTopAt(int position) { return Pixels(kOriginTop - position); }

inline std::string Positions(int position) { return std::to_string(position) + "/" + std::to_string(position); }

// The system's lines per wheel notch, as the program reads it at start (-1: a page per notch).
inline int WheelLines() {
    int lines = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}

// The vertical position after notches toward the user from position, with the start values.
inline int PositionAfterWheel(int position, int notches) {
    const int lines = WheelLines();
    const int step = lines == -1 ? 201 : std::min(lines, 201) * 5;
    const int target = std::clamp(position + notches * step, 0, 400);
    return std::min(target, kHighestPosition);  // the bar stops a page short of its maximum
}

}  // namespace brennick::e2e
