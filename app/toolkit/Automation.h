// What the toolkit's controls publish for automation tools in other processes, which cannot read
// a window's colours or (under Wine) its built-in scroll bars themselves.
#pragma once

namespace brennick::ui {

// Window property on each panel and text box: its stored background colour (0x00BBGGRR, or
// 0x80000000 | a COLOR_* index for a system colour).
inline constexpr const char* kBackColorProperty = "BrennickBackColor";

// Read-only message answered by each panel with one value of one of its built-in scroll bars:
// wParam SB_HORZ or SB_VERT, lParam a ScrollBarField; the answer is what GetScrollInfo or
// GetScrollBarInfo reports in the panel's own process.
inline constexpr unsigned int kQueryScrollBarMessage = 0x8000 + 1;  // WM_APP + 1

enum class ScrollBarField : int {
    Min = 0,    // SCROLLINFO.nMin
    Max = 1,    // nMax
    Page = 2,   // nPage
    Pos = 3,    // nPos
    State = 4,  // SCROLLBARINFO.rgstate[0]: STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_UNAVAILABLE, ...
};

}  // namespace brennick::ui
