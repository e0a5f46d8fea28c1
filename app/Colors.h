// The colours frmMain paints its panels and wheel text boxes with, as the toolkit stores them.
#pragma once

#include <cstdint>

#include "app/toolkit/BackColor.h"

namespace brennick::Colors {

inline constexpr std::uint32_t kLeftPanelHighlight = 0x00FFCCAA;   // light blue: red 170, green 204, blue 255
inline constexpr std::uint32_t kRightPanelHighlight = 0x00AACCFF;  // light orange: red 255, green 204, blue 170
inline constexpr std::uint32_t kWindowBackground = ui::SystemColor(COLOR_WINDOW);  // 0x80000005
inline constexpr std::uint32_t kButtonFace = ui::SystemColor(COLOR_BTNFACE);       // 0x8000000F

static_assert(kWindowBackground == 0x80000005u && kButtonFace == 0x8000000Fu);

}  // namespace brennick::Colors
