// The names by which frmMain's windows can be found from outside: control IDs (1000 plus the
// tab position) and the property that publishes a control's background colour.
#pragma once

namespace brennick {

namespace ControlId {
inline constexpr int picControlLeft = 1000;
inline constexpr int picTrialLeft = 1001;
inline constexpr int chkShowScrollH = 1002;
inline constexpr int chkShowScrollV = 1003;
inline constexpr int lblPosH = 1004;
inline constexpr int lblPosV = 1005;
inline constexpr int txtWheel = 1006;
inline constexpr int chkWheelSupport = 1007;
inline constexpr int picControlRight = 1008;
inline constexpr int picTrialRight = 1009;
inline constexpr int chkWheelSupport2 = 1010;
inline constexpr int txtWheel2 = 1011;
}  // namespace ControlId

// Window property on each panel and text box: its stored background colour (0x00BBGGRR, or
// 0x80000000 | a COLOR_* index for a system colour).
inline constexpr const char* kBackColorProperty = "BrennickBackColor";

// Read-only message answered by each panel with one value of one of its built-in scroll bars, for
// automation tools in another process (Wine keeps a window's scroll bars where only its own
// process can read them). wParam: SB_HORZ or SB_VERT; lParam: a ScrollBarField. The answer is
// what GetScrollInfo or GetScrollBarInfo reports in the panel's own process.
inline constexpr unsigned int kQueryScrollBarMessage = 0x8000 + 1;  // WM_APP + 1

enum class ScrollBarField : int {
    Min = 0,    // SCROLLINFO.nMin
    Max = 1,    // nMax
    Page = 2,   // nPage
    Pos = 3,    // nPos
    State = 4,  // SCROLLBARINFO.rgstate[0]: STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_UNAVAILABLE, ...
};

}  // namespace brennick
