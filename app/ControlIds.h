// The names by which frmMain's windows can be found from outside: control IDs, 1000 plus the tab
// position. What the controls publish to other processes is the toolkit's (toolkit/Automation.h).
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

}  // namespace brennick
