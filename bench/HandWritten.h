// Scroll and wheel handling written by hand against user32: the platform calls a window makes
// when it does the work itself, the limit the components are measured against.
#pragma once

#include "bench/BenchWindow.h"

namespace brennick_bench {

// SB_LINEDOWN / SB_LINEUP on the vertical bar: read the position, step it, push it, move the
// picture to the position the bar then holds.
void HandWrittenScroll(HWND window, const HandWrittenState& state, int code);

// A wheel turn: on a panel, scroll its vertical bar by the notches (lines per notch as the
// system says, at most a page), move the picture and write the report line; on a top-level
// window, the same for its panel when the pointer is over it.
void HandWrittenWheel(HWND window, const HandWrittenState& state, WPARAM wParam, LPARAM lParam);

}  // namespace brennick_bench
